#include "generator/package/media_type.h"

#include "text/text_case.h"

#include <map>

namespace quarbel {

std::string MediaTypeOf(const std::string& fileName) {
  static const std::map<std::string, std::string> kTypes = {
      {".css", "text/css"},
      {".xhtml", "application/xhtml+xml"},
      {".png", "image/png"},
      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"},
      {".jpe", "image/jpeg"},
      {".gif", "image/gif"},
      {".svg", "image/svg+xml"},
      {".bmp", "image/bmp"},
      {".tif", "image/tiff"},
      {".tiff", "image/tiff"},
      {".mp4", "video/mp4"},
      {".m4v", "video/mp4"},
      {".pdf", "application/pdf"},
      {".djvu", "image/vnd.djvu"},
      {".djv", "image/vnd.djvu"},
      {".xls", "application/vnd.ms-excel"},
      {".xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"},
      {".ods", "application/vnd.oasis.opendocument.spreadsheet"},
      {".ppt", "application/vnd.ms-powerpoint"},
      {".pps", "application/vnd.ms-powerpoint"},
      {".pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation"},
      {".ppsx", "application/vnd.openxmlformats-officedocument.presentationml.slideshow"},
      {".odp", "application/vnd.oasis.opendocument.presentation"},
  };
  const size_t dot = fileName.rfind('.');
  if (dot != std::string::npos) {
    const auto known = kTypes.find(LowerCaseText(fileName.substr(dot)));
    if (known != kTypes.end())
      return known->second;
  }
  return "application/octet-stream";
}

bool IsCoreImage(const std::string& mediaType) {
  return mediaType == "image/gif" || mediaType == "image/jpeg" || mediaType == "image/png" ||
         mediaType == "image/svg+xml";
}

} // namespace quarbel
