#include "widgets/qt_text.h"

#include "text/cp1251.h"

namespace quarbel {

QString Q(std::string_view text) {
  return QString::fromStdString(Utf8FromCp1251(text));
}

std::string FromQ(const QString& text) {
  return Cp1251FromUtf8Lossy(text.toStdString());
}

bool TryFromQ(const QString& text, std::string& out) {
  auto converted = TryCp1251FromUtf8(text.toStdString());
  if (!converted)
    return false;
  out = std::move(*converted);
  return true;
}

} // namespace quarbel
