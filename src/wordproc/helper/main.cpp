// quarbel-wordproc: the word processor of the program, LibreOffice driven through
// LibreOfficeKit in this process. The program starts one helper per conversion and talks to
// it line by line:
//
// PATH is one field: its control characters and "%" are written as %XX (helper_protocol.h).
//
//   -> open PATH      <- ok | error TEXT      load a document (error writer-ui-missing TEXT:
//                                             this LibreOffice lacks the window layouts it
//                                             needs for documents with comments)
//   -> save PATH      <- ok | error TEXT      save it as an HTML page (pictures beside it)
//   -> close          <- ok                   close it without saving
//   -> quit           <- ok                   end LibreOffice and the helper
//
// At start the helper answers "ready", or "missing TEXT" when LibreOffice is not installed.
// It uses a LibreOffice profile of its own under PROFILES (default: the user's cache folder),
// one per running helper, so two conversions at once never share one.
//
// Documents are only read: the profile turns LibreOffice's lock files off, so nothing is ever
// written beside a teacher's document. Tracked changes are accepted before a document is saved,
// so the page shows the text as it reads with every change taken.
//
//   quarbel-wordproc [--profiles PROFILES]

// The unstable part of the interface holds the calls that accept tracked changes.
#define LOK_USE_UNSTABLE_API
#include <LibreOfficeKit/LibreOfficeKit.hxx>

#include "wordproc/helper_protocol.h"
#include "wordproc/libreoffice_install.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path DefaultProfiles() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
    return fs::path(cache) / "quarbel-vorizareda" / "libreoffice";
  if (const char* home = std::getenv("HOME"); home && *home)
    return fs::path(home) / ".cache" / "quarbel-vorizareda" / "libreoffice";
  return fs::temp_directory_path() / ("quarbel-vorizareda-" + std::to_string(::getuid())) /
         "libreoffice";
}

// Takes the first profile no other helper holds; the lock lasts as long as this process.
fs::path LockProfile(const fs::path& root) {
  std::error_code error;
  fs::create_directories(root, error);
  for (int slot = 0; slot < 64; ++slot) {
    const fs::path lock = root / ("profile-" + std::to_string(slot) + ".lock");
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
      continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
      return root / ("profile-" + std::to_string(slot)); // fd stays open: the lock is held
    ::close(fd);
  }
  return {};
}

// file:// URL of an absolute path, every byte outside the unreserved set percent-encoded.
std::string FileUrl(const fs::path& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string url = "file://";
  const std::string absolute = fs::absolute(path).native();
  for (const unsigned char c : absolute) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
        c == '-' || c == '_' || c == '.' || c == '~') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  return url;
}

// Settings of the profile that keep LibreOffice from writing lock files beside the documents
// it opens (a lock file left behind makes Word and LibreOffice report the document as in use).
const char* const kProfileSettings[] = {
    R"(<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentOOoLockFile" oor:op="fuse"><value>false</value></prop></item>)",
    R"(<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentSystemFileLocking" oor:op="fuse"><value>false</value></prop></item>)",
    R"(<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseLocking" oor:op="fuse"><value>false</value></prop></item>)",
};

// Puts our settings into the profile's own settings file, keeping whatever else it holds.
void WriteProfileSettings(const fs::path& profile) {
  const fs::path file = profile / "user" / "registrymodifications.xcu";
  std::string text;
  {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
  }
  const size_t end = text.rfind("</oor:items>");
  if (end == std::string::npos)
    text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n</oor:items>\n";
  std::string missing;
  for (const char* item : kProfileSettings) {
    if (text.find(item) == std::string::npos)
      missing += std::string(item) + "\n";
  }
  if (missing.empty())
    return;
  text.insert(text.rfind("</oor:items>"), missing);
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  const fs::path temporary = file.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush())
      return;
  }
  fs::rename(temporary, file, error);
}

// Accepts every tracked change of the document. LibreOffice runs the command on its own
// thread, so the document is asked again until no change is left (or the time is up).
void AcceptTrackedChanges(lok::Document& document) {
  const auto pending = [&document] {
    char* values = document.getCommandValues(".uno:AcceptTrackedChanges");
    const bool any = values && std::string(values).find("\"index\"") != std::string::npos;
    std::free(values);
    return any;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (pending() && std::chrono::steady_clock::now() < deadline) {
    document.postUnoCommand(".uno:AcceptAllTrackedChanges",
                            R"({"SynchronMode":{"type":"boolean","value":true}})");
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void Reply(const std::string& line) {
  std::string clean = line;
  for (char& c : clean) {
    if (c == '\n' || c == '\r')
      c = ' ';
  }
  std::cout << clean << '\n' << std::flush;
}

std::string LastError(lok::Office& office, const char* fallback) {
  char* text = office.getError();
  std::string out = text && *text ? text : fallback;
  if (text)
    office.freeError(text);
  return out;
}

// The first document a LibreOffice loads and saves as a web page costs it far more than the
// ones after it: Writer, its filters and its fonts are set up then. A small document of our
// own takes that cost before the helper says it is ready, so that a helper started ahead of
// time is ready for the teacher's document at once. A warm-up that fails changes nothing.
void WarmUp(lok::Office& office, const fs::path& profile) {
  const fs::path source = profile / "warm-up.rtf";
  const fs::path page = profile / "warm-up.html";
  {
    std::ofstream out(source, std::ios::binary);
    out << "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 "
           "{\\b Warm} up.\\par}\n";
  }
  std::unique_ptr<lok::Document> document(
      office.documentLoad(FileUrl(source).c_str(), "Batch=true"));
  if (document)
    document->saveAs(FileUrl(page).c_str(), "html", nullptr);
  document.reset();
  std::error_code ignored;
  fs::remove(source, ignored);
  fs::remove(page, ignored);
}

} // namespace

int main(int argc, char** argv) {
  fs::path profiles = DefaultProfiles();
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--profiles")
      profiles = argv[++i];
  }

  const fs::path install = quarbel::FindLibreOffice();
  if (install.empty()) {
    Reply("missing LibreOffice is not installed");
    return 3;
  }
  const fs::path profile = LockProfile(profiles);
  if (profile.empty()) {
    Reply("error no LibreOffice profile folder can be used in " + profiles.string());
    return 4;
  }
  // Our lock says no other helper uses this profile, so a LibreOffice lock file in it was
  // left by a helper that was killed; LibreOffice would take the profile for one in use.
  std::error_code ignored;
  fs::remove(profile / ".lock", ignored);
  WriteProfileSettings(profile);
  std::unique_ptr<lok::Office> office(lok::lok_cpp_init(install.c_str(), FileUrl(profile).c_str()));
  if (!office) {
    Reply("missing LibreOffice could not be started from " + install.string());
    return 3;
  }
  WarmUp(*office, profile);
  Reply("ready");

  std::unique_ptr<lok::Document> document;
  std::string line;
  while (std::getline(std::cin, line)) {
    const size_t blank = line.find(' ');
    const std::string command = line.substr(0, blank);
    const std::string argument =
        blank == std::string::npos ? "" : quarbel::DecodeHelperField(line.substr(blank + 1));
    if (command == "open") {
      document.reset();
      document.reset(office->documentLoad(FileUrl(argument).c_str(), "Batch=true"));
      if (document) {
        AcceptTrackedChanges(*document);
        Reply("ok");
      } else {
        // The Writer of LibreOffice's packages "without a desktop" lacks the layouts of its
        // windows; loading a document with comments fails there, and nothing else says why.
        std::error_code error;
        const bool layouts = fs::exists(install.parent_path() / "share" / "config" / "soffice.cfg" /
                                            "modules" / "swriter" / "ui" / "annotation.ui",
                                        error);
        Reply(std::string(layouts ? "error " : "error writer-ui-missing ") +
              LastError(*office, "the document could not be loaded"));
      }
    } else if (command == "save") {
      if (!document)
        Reply("error no document is open");
      else if (!document->saveAs(FileUrl(argument).c_str(), "html", nullptr))
        Reply("error " + LastError(*office, "the document could not be saved"));
      else
        Reply("ok");
    } else if (command == "close") {
      document.reset();
      Reply("ok");
    } else if (command == "quit") {
      break;
    } else {
      Reply("error unknown command");
    }
  }
  document.reset();
  office.reset();
  Reply("ok");
  // LibreOffice's own exit handlers are not needed once the profile is written.
  std::_Exit(0);
}
