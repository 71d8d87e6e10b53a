#include "widgets/colour_selector.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

namespace quarbel {
namespace {

// Eight columns of five rows, dark to light.
constexpr std::uint32_t kColours[40] = {
    0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333,
    0x800000, 0xff6600, 0x808000, 0x008000, 0x008080, 0x0000ff, 0x666699, 0x808080,
    0xff0000, 0xff9900, 0x99cc00, 0x339966, 0x33cccc, 0x3366ff, 0x800080, 0x969696,
    0xff00ff, 0xffcc00, 0xffff00, 0x00ff00, 0x00ffff, 0x00ccff, 0x993366, 0xc0c0c0,
    0xff99cc, 0xffcc99, 0xffff99, 0xccffcc, 0xccffff, 0x99ccff, 0xcc99ff, 0xffffff};

RgbColor ColourOf(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value)};
}

QIcon Swatch(RgbColor colour, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(QColor(colour.r, colour.g, colour.b));
  QPainter painter(&pixmap);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, size - 1, size - 1);
  return QIcon(pixmap);
}

} // namespace

ColourSelector::ColourSelector(QWidget* parent) : QToolButton(parent) {
  setPopupMode(QToolButton::InstantPopup);
  dropDown_ = new QMenu(this);
  auto* grid = new QWidget(dropDown_);
  auto* layout = new QGridLayout(grid);
  layout->setSpacing(2);
  layout->setContentsMargins(4, 4, 4, 4);
  for (int i = 0; i < 40; ++i) {
    const RgbColor colour = ColourOf(kColours[i]);
    auto* swatch = new QToolButton(grid);
    swatch->setObjectName(QString("Swatch%1").arg(i));
    swatch->setAutoRaise(true);
    swatch->setIcon(Swatch(colour, 14));
    swatch->setToolTip(QString("RGB(%1, %2, %3)").arg(colour.r).arg(colour.g).arg(colour.b));
    connect(swatch, &QToolButton::clicked, this, [this, colour] { Choose(colour); });
    layout->addWidget(swatch, i / 8, i % 8);
  }
  auto* action = new QWidgetAction(dropDown_);
  action->setDefaultWidget(grid);
  dropDown_->addAction(action);
  setMenu(dropDown_);
  SetColour({0, 0, 0});
}

void ColourSelector::SetColour(RgbColor colour) {
  colour_ = colour;
  setIcon(Swatch(colour, 16));
}

void ColourSelector::Choose(RgbColor colour) {
  SetColour(colour);
  emit colourChosen(colour);
}

} // namespace quarbel
