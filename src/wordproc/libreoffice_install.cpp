#include "wordproc/libreoffice_install.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

const char* const kLibraries[] = {"libmergedlo.so", "libsofficeapp.so"};

} // namespace

fs::path FindLibreOffice() {
  std::vector<fs::path> candidates = {"/usr/lib/libreoffice/program",
                                      "/usr/lib64/libreoffice/program", "/opt/libreoffice/program"};
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/opt", error)) {
    if (entry.path().filename().string().rfind("libreoffice", 0) == 0)
      candidates.push_back(entry.path() / "program");
  }
  for (const fs::path& dir : candidates) {
    for (const char* library : kLibraries)
      if (fs::exists(dir / library, error))
        return dir;
  }
  return {};
}

std::string LibreOfficeStamp() {
  const fs::path install = FindLibreOffice();
  if (install.empty())
    return "none";
  std::string stamp = install.string();
  std::ifstream version(install / "versionrc", std::ios::binary);
  stamp.append(std::istreambuf_iterator<char>(version), {});
  std::error_code error;
  for (const char* library : kLibraries) {
    const fs::path file = install / library;
    const auto size = fs::file_size(file, error);
    if (error)
      continue;
    const auto time = fs::last_write_time(file, error);
    stamp += "\n" + std::string(library) + " " + std::to_string(size) + " " +
             std::to_string(time.time_since_epoch().count());
  }
  return stamp;
}

} // namespace quarbel
