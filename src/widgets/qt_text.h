#pragma once

#include <QString>

#include <string>
#include <string_view>

// The widget boundary: the program's Windows-1251 text to and from Qt's strings.
namespace quarbel {

QString Q(std::string_view text1251);
// Qt text to Windows-1251; characters the code page lacks become "?".
std::string FromQ(const QString& text);
// Qt text to Windows-1251, or nothing when a character does not fit.
bool TryFromQ(const QString& text, std::string& out);

} // namespace quarbel
