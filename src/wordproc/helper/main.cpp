// quarbel-wordproc: the word processor of the program, LibreOffice driven through
// LibreOfficeKit in this process. The program starts one helper per conversion and talks to
// it line by line:
//
//   -> open PATH      <- ok | error TEXT      load a document
//   -> save PATH      <- ok | error TEXT      save it as an HTML page (pictures beside it)
//   -> close          <- ok                   close it without saving
//   -> quit           <- ok                   end LibreOffice and the helper
//
// At start the helper answers "ready", or "missing TEXT" when LibreOffice is not installed.
// It uses a LibreOffice profile of its own under PROFILES (default: the user's cache folder),
// one per running helper, so two conversions at once never share one.
//
//   quarbel-wordproc [--profiles PROFILES]

#include <LibreOfficeKit/LibreOfficeKit.hxx>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <sys/file.h>
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

fs::path FindLibreOffice() {
  std::vector<fs::path> candidates = {"/usr/lib/libreoffice/program",
                                      "/usr/lib64/libreoffice/program", "/opt/libreoffice/program"};
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/opt", error)) {
    if (entry.path().filename().string().rfind("libreoffice", 0) == 0)
      candidates.push_back(entry.path() / "program");
  }
  for (const fs::path& dir : candidates) {
    if (fs::exists(dir / "libmergedlo.so", error) || fs::exists(dir / "libsofficeapp.so", error))
      return dir;
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

} // namespace

int main(int argc, char** argv) {
  fs::path profiles = DefaultProfiles();
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--profiles")
      profiles = argv[++i];
  }

  const fs::path install = FindLibreOffice();
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
  std::unique_ptr<lok::Office> office(lok::lok_cpp_init(install.c_str(), FileUrl(profile).c_str()));
  if (!office) {
    Reply("missing LibreOffice could not be started from " + install.string());
    return 3;
  }
  Reply("ready");

  std::unique_ptr<lok::Document> document;
  std::string line;
  while (std::getline(std::cin, line)) {
    const size_t blank = line.find(' ');
    const std::string command = line.substr(0, blank);
    const std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (command == "open") {
      document.reset();
      document.reset(office->documentLoad(FileUrl(argument).c_str(), "Batch=true"));
      Reply(document ? "ok" : "error " + LastError(*office, "the document could not be loaded"));
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
