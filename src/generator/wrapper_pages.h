#pragma once

#include "generator/textbook_text.h"

#include <string>
#include <string_view>

namespace quarbel {

// The kind of page a document gets, from its extension.
enum class PageKind { Word, Video, Pdf, DjVu, MathCad, Excel, PowerPoint, Image, Unlisted };

// Tests the upper-cased extension (from the last "." of the file name, dot included) in a
// fixed order for what it contains: ".DOCM" counts as Word, ".PPTX" as PowerPoint.
PageKind PageKindOf(std::string_view documentPath);

// The program folder's type icon for an icon kind ("PDF.PNG") and its name in the textbook
// ("pdf.png"); empty for the other kinds.
std::string TypeIconSource(PageKind kind);
std::string TypeIconTarget(PageKind kind);

// The wrapper page of a non-Word document, before page finishing. `safeName` is the
// document's name in "other/".
Lines IconPage(int pageNumber, const std::string& safeName, PageKind kind);
Lines ImagePage(int pageNumber, const std::string& safeName);
Lines VideoPage(int pageNumber, const std::string& safeName);
// A document of an unknown kind: its page names it and says it cannot be shown.
Lines UnlistedPage(int pageNumber, std::string_view documentPath);

} // namespace quarbel
