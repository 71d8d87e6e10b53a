#include "generator/page_pictures.h"

#include "pictures/picture_integrity.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/percent_encoding.h"
#include "text/text_case.h"

namespace quarbel {

std::vector<std::string> PagePictures(const std::string& page) {
  std::vector<std::string> pictures;
  const std::string lower = LowerCaseText(page);
  for (size_t tag = lower.find("<img"); tag != std::string::npos;
       tag = lower.find("<img", tag + 4)) {
    const size_t close = lower.find('>', tag);
    const size_t src = lower.find("src=\"", tag);
    if (src == std::string::npos || (close != std::string::npos && src > close))
      continue;
    const size_t start = src + 5;
    const size_t end = page.find('"', start);
    if (end == std::string::npos)
      break;
    const std::string name = PercentDecoded(page.substr(start, end - start));
    if (name.empty() || name.find(':') != std::string::npos || name[0] == '/' ||
        name.find("..") != std::string::npos)
      continue; // a link to the web or outside the textbook is not ours to check
    pictures.push_back(name);
  }
  return pictures;
}

void CheckPagePictures(const TextbookFolder& folder, const std::string& page) {
  for (const std::string& picture : PagePictures(page)) {
    const std::filesystem::path path = folder / picture;
    std::error_code error;
    const bool whole =
        std::filesystem::is_regular_file(path, error) && PictureBytesAreWhole(ReadFileBytes(path));
    if (!whole)
      throw Error(Cp1251FromUtf8("Малюнок \"") + picture +
                  Cp1251FromUtf8("\" сторінки не записано повністю; можливо, на диску немає "
                                 "вільного місця."));
  }
}

} // namespace quarbel
