#include "generator/fake_word_processor.h"

#include "pictures/builtin_icons.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <chrono>
#include <thread>

namespace quarbel::testing {

bool FakeWordProcessor::start() {
  calls.push_back("start");
  return installed;
}

void FakeWordProcessor::open(const std::filesystem::path& document) {
  calls.push_back("open " + document.filename().string());
  if (document.filename().string().find("broken") != std::string::npos)
    throw Error("cannot open");
  document_ = document;
}

void FakeWordProcessor::saveAsWebPage(const std::filesystem::path& page) {
  calls.push_back("save " + page.filename().string());
  const bool toc = document_.filename().string().find("toc") != std::string::npos;
  std::string text =
      "<html>\r\n<head>\r\n"
      "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"
      "<meta name=Generator content=\"Fake\">\r\n"
      "<meta name=Originator content=\"Fake\">\r\n"
      "<title>" +
      document_.filename().string() +
      "</title>\r\n"
      "<style>\r\np.MsoNormal { margin: 0 }\r\n</style>\r\n</head>\r\n<body>\r\n"
      "<div class=Section1>\r\n";
  if (toc)
    text += "<p class=MsoToc1><span class=MsoHyperlink><a href=\"#_Toc1\">" +
            Cp1251FromUtf8("Вступ") +
            "</a></span></p>\r\n"
            "<p class=MsoToc2><span class=MsoHyperlink><a href=\"#_Toc2\">" +
            Cp1251FromUtf8("Мета") + "</a></span></p>\r\n";
  text += "<p class=MsoNormal>" + Cp1251FromUtf8("Документ ") + document_.filename().string() +
          "</p>\r\n";
  const std::string name = document_.filename().string();
  if (name.find("picture") != std::string::npos) {
    const std::string picture = page.stem().string() + "_html_5eed.gif";
    WriteFileBytes(page.parent_path() / picture, BuiltInIconGif(BuiltInIcon::Home));
    text += "<p class=MsoNormal><img src=\"" + picture + "\"></p>\r\n";
  }
  if (name.find("wide") != std::string::npos) {
    // What makes a narrow screen scroll sideways: a wide table and a wide picture.
    const std::string picture = page.stem().string() + "_html_w1de.gif";
    WriteFileBytes(page.parent_path() / picture, BuiltInIconGif(BuiltInIcon::Forward));
    text += "<table width=1500 border=1 cellpadding=4><tr>";
    for (int i = 0; i < 8; ++i)
      text += "<td width=180>" + Cp1251FromUtf8("Механіки розділ ") + std::to_string(i) + "</td>";
    text += "</tr></table>\r\n<p class=MsoNormal><img width=2000 height=120 src=\"" + picture +
            "\"></p>\r\n<p class=MsoNormal>" +
            Cp1251FromUtf8("Теоретична механіка вивчає п&#8217;ять законів руху.") + "</p>\r\n";
  }
  if (name.find("slow") != std::string::npos)
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  if (toc)
    text += "<h1><a name=\"_Toc1\"></a>" + Cp1251FromUtf8("Вступ") +
            "</h1>\r\n<h2><a name=\"_Toc2\"></a>" + Cp1251FromUtf8("Мета") + "</h2>\r\n";
  text += "</div>\r\n\r\n</body>\r\n</html>\r\n";
  WriteFileBytes(page, text);
}

void FakeWordProcessor::close() {
  calls.push_back("close");
}

void FakeWordProcessor::quit() {
  calls.push_back("quit");
}

} // namespace quarbel::testing
