#include "generator/package/scorm_package.h"

#include "generator/staged_textbook.h"
#include "resources/embedded_files.h"
#include "text/json_text.h"
#include "text/xml_text.h"

#include <algorithm>

namespace quarbel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kLaunchPage = "scorm.html";
constexpr const char* kLaunchScript = "quarbel-scorm.js";

void Items(const std::vector<MenuEntry>& entries, int depth, int& counter, std::string& out) {
  const std::string indent(2 * depth + 6, ' ');
  for (const MenuEntry& entry : entries) {
    out += indent + "<item identifier=\"item-" + std::to_string(++counter) + "\">\n";
    out += indent + "  <title>" + XmlEscaped(entry.title) + "</title>\n";
    Items(entry.children, depth + 1, counter, out);
    out += indent + "</item>\n";
  }
}

} // namespace

std::string ScormManifest(const ScormCourse& course, const std::vector<std::string>& files) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<manifest identifier=\"" +
      XmlEscaped(course.identifier) +
      "\" version=\"1\"\n"
      "    xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n"
      "    xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\"\n"
      "    xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
      "    xsi:schemaLocation=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2 "
      "imscp_rootv1p1p2.xsd http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd "
      "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd\">\n"
      "  <metadata>\n"
      "    <schema>ADL SCORM</schema>\n"
      "    <schemaversion>1.2</schemaversion>\n"
      "  </metadata>\n"
      "  <organizations default=\"course\">\n"
      "    <organization identifier=\"course\">\n"
      "      <title>" +
      XmlEscaped(course.title) +
      "</title>\n"
      "      <item identifier=\"textbook\" identifierref=\"textbook-files\" isvisible=\"true\">\n"
      "        <title>" +
      XmlEscaped(course.title) + "</title>\n";
  int counter = 0;
  Items(course.tree, 1, counter, out);
  out += "      </item>\n"
         "    </organization>\n"
         "  </organizations>\n"
         "  <resources>\n"
         "    <resource identifier=\"textbook-files\" type=\"webcontent\" "
         "adlcp:scormtype=\"sco\" href=\"" +
         std::string(kLaunchPage) + "\">\n";
  for (const std::string& file : files)
    out += "      <file href=\"" + XmlEscaped(UriPathEncoded(file)) + "\"/>\n";
  out += "    </resource>\n"
         "  </resources>\n"
         "</manifest>\n";
  return out;
}

std::string ScormLaunchPage(const ScormCourse& course) {
  std::string pages = "[";
  for (size_t i = 0; i < course.pages.size(); ++i)
    pages += (i ? "," : "") + JsonUtf8String(course.pages[i]);
  pages += "]";
  const bool classic = course.layout == TextbookLayout::Classic;
  const std::string start = "index.html";
  return "<!DOCTYPE html>\n"
         "<html lang=\"uk\">\n"
         "<head>\n"
         "<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<title>" +
         XmlEscaped(course.title) +
         "</title>\n"
         "<style>html,body{margin:0;height:100%;overflow:hidden}"
         "iframe{display:block;border:0;width:100%;height:100%}</style>\n"
         "<script>window.QUARBEL_SCORM = {\"start\":" +
         JsonUtf8String(start) + ",\"frame\":" + (classic ? "\"mainFrame\"" : "null") +
         ",\"pages\":" + pages +
         "};</script>\n"
         "<script src=\"" +
         kLaunchScript +
         "\"></script>\n"
         "</head>\n"
         "<body>\n"
         "<iframe id=\"textbook\" title=\"" +
         XmlEscaped(course.title) +
         "\"></iframe>\n"
         "</body>\n"
         "</html>\n";
}

std::vector<std::string> TextbookFiles(const fs::path& folder) {
  std::vector<std::string> files;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator();
       ++it) {
    if (it->is_directory())
      continue;
    const std::string relative = it->path().lexically_relative(folder).generic_string();
    if (relative != StagedTextbook::kFileList)
      files.push_back(relative);
  }
  std::sort(files.begin(), files.end());
  return files;
}

void WriteScormPackage(const ScormCourse& course, const fs::path& folder, ZipWriter& zip) {
  std::vector<std::string> files = TextbookFiles(folder);
  for (const std::string& file : files)
    zip.AddFile(file, folder / file);
  zip.AddBytes(kLaunchPage, ScormLaunchPage(course));
  zip.AddBytes(kLaunchScript, std::string(EmbeddedFile(kLaunchScript)));
  files.push_back(kLaunchPage);
  files.push_back(kLaunchScript);
  std::sort(files.begin(), files.end());
  zip.AddBytes("imsmanifest.xml", ScormManifest(course, files));
}

} // namespace quarbel
