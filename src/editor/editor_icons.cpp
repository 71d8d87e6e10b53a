#include "editor/editor_icons.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace quarbel {
namespace {

// Draws on a 32 x 32 grid scaled to the requested size.
class DrawnIcon : public QIconEngine {
public:
  explicit DrawnIcon(EditorIcon icon) : icon_(icon) {}
  QIconEngine* clone() const override { return new DrawnIcon(icon_); }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 32.0, rect.height() / 32.0);
    const QColor ink = mode == QIcon::Disabled ? QColor(160, 160, 160) : QColor(40, 60, 90);
    QPen pen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    Draw(*painter, ink);
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

private:
  void Letter(QPainter& p, const QString& text, bool bold, bool italic, bool underline) {
    QFont font("DejaVu Sans");
    font.setPixelSize(22);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 32, 30), Qt::AlignCenter, text);
  }
  void Lines(QPainter& p, Qt::Alignment align) {
    const int widths[4] = {24, 16, 24, 12};
    for (int i = 0; i < 4; ++i) {
      const int w = widths[i];
      const int x = align == Qt::AlignLeft ? 4 : align == Qt::AlignRight ? 28 - w : 16 - w / 2;
      p.drawLine(x, 7 + i * 6, x + w, 7 + i * 6);
    }
  }
  void Draw(QPainter& p, const QColor& ink) {
    switch (icon_) {
    case EditorIcon::Cut:
      p.drawEllipse(QPointF(10, 24), 4, 4);
      p.drawEllipse(QPointF(22, 24), 4, 4);
      p.drawLine(12, 20, 22, 4);
      p.drawLine(20, 20, 10, 4);
      break;
    case EditorIcon::Copy:
      p.drawRect(5, 4, 14, 18);
      p.drawRect(13, 10, 14, 18);
      break;
    case EditorIcon::Paste:
      p.drawRoundedRect(6, 6, 20, 22, 2, 2);
      p.fillRect(11, 3, 10, 6, ink);
      p.drawLine(11, 16, 21, 16);
      p.drawLine(11, 21, 19, 21);
      break;
    case EditorIcon::SelectAll:
      p.setPen(QPen(ink, 2, Qt::DashLine));
      p.drawRect(4, 4, 24, 24);
      break;
    case EditorIcon::Bold: Letter(p, QStringLiteral("Ж"), true, false, false); break;
    case EditorIcon::Italic: Letter(p, QStringLiteral("К"), false, true, false); break;
    case EditorIcon::Underline: Letter(p, QStringLiteral("П"), false, false, true); break;
    case EditorIcon::AlignLeft: Lines(p, Qt::AlignLeft); break;
    case EditorIcon::AlignCenter: Lines(p, Qt::AlignHCenter); break;
    case EditorIcon::AlignRight: Lines(p, Qt::AlignRight); break;
    case EditorIcon::ZoomIn:
    case EditorIcon::ZoomOut:
    case EditorIcon::Find:
      p.drawEllipse(QPointF(13, 13), 8, 8);
      p.setPen(QPen(ink, 3.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(19, 19, 27, 27);
      p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
      if (icon_ != EditorIcon::Find)
        p.drawLine(9, 13, 17, 13);
      if (icon_ == EditorIcon::ZoomIn)
        p.drawLine(13, 9, 13, 17);
      break;
    case EditorIcon::Insert:
      p.drawRect(5, 5, 22, 22);
      p.drawLine(16, 10, 16, 22);
      p.drawLine(10, 16, 22, 16);
      break;
    case EditorIcon::Link:
      p.drawRoundedRect(QRectF(3, 11, 15, 10), 5, 5);
      p.drawRoundedRect(QRectF(14, 11, 15, 10), 5, 5);
      break;
    case EditorIcon::Font:
      Letter(p, QStringLiteral("A"), true, false, false);
      p.drawLine(6, 28, 26, 28);
      break;
    case EditorIcon::Print:
      p.drawRect(9, 4, 14, 8);
      p.drawRoundedRect(4, 12, 24, 11, 2, 2);
      p.drawRect(9, 19, 14, 9);
      break;
    }
  }
  EditorIcon icon_;
};

} // namespace

QIcon EditorIconOf(EditorIcon icon) {
  return QIcon(new DrawnIcon(icon));
}

} // namespace quarbel
