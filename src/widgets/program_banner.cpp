#include "widgets/program_banner.h"

#include <QPainter>

#include <algorithm>

namespace quarbel {

QPixmap ProgramBanner(QSize size, int titlePointSize, const QStringList& lines) {
  QPixmap picture(size);
  picture.fill(QColor("#1f4e79"));
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPointSize(titlePointSize);
  font.setBold(true);
  painter.setFont(font);
  const int titleHeight = lines.isEmpty() ? size.height() : size.height() / 2;
  painter.drawText(QRect(0, 0, size.width(), titleHeight), Qt::AlignCenter,
                   QStringLiteral("Quarbel Vorizareda"));
  font.setPointSize(std::max(8, titlePointSize / 2));
  font.setBold(false);
  painter.setFont(font);
  const int lineHeight =
      lines.isEmpty() ? 0 : (size.height() - titleHeight) / static_cast<int>(lines.size());
  for (int i = 0; i < lines.size(); ++i)
    painter.drawText(QRect(0, titleHeight + i * lineHeight, size.width(), lineHeight),
                     Qt::AlignCenter, lines[i]);
  return picture;
}

} // namespace quarbel
