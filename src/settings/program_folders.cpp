#include "settings/program_folders.h"

#include <cstdlib>
#include <unistd.h>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

// $NAME when it is an absolute path (as the XDG rules ask), else ~/fallback.
fs::path XdgFolder(const char* name, const char* fallback) {
  if (const char* value = std::getenv(name); value && *value == '/')
    return value;
  if (const char* home = std::getenv("HOME"); home && *home)
    return fs::path(home) / fallback;
  return fs::temp_directory_path() / ("quarbel-vorizareda-" + std::to_string(::getuid())) /
         fallback;
}

bool Writable(const fs::path& folder) {
  return ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

ProgramFolders FindProgramFolders(const fs::path& executableFolder) {
  ProgramFolders folders;
  std::error_code error;
  const bool portable =
      fs::is_directory(executableFolder / "Styles", error) ||
      !fs::is_directory(executableFolder.parent_path() / "share" / "quarbel-vorizareda", error);
  if (portable) {
    folders.data = executableFolder;
    folders.helper = executableFolder / "quarbel-wordproc";
  } else {
    const fs::path prefix = executableFolder.parent_path();
    folders.data = prefix / "share" / "quarbel-vorizareda";
    folders.helper = prefix / "lib" / "quarbel-vorizareda" / "quarbel-wordproc";
  }
  if (portable && Writable(executableFolder)) {
    folders.settings = executableFolder;
    folders.userStyles = executableFolder / "Styles";
  } else {
    folders.settings = XdgFolder("XDG_CONFIG_HOME", ".config") / "quarbel-vorizareda";
    folders.userStyles =
        XdgFolder("XDG_DATA_HOME", ".local/share") / "quarbel-vorizareda" / "Styles";
    folders.shippedStyles = folders.data / "Styles";
  }
  return folders;
}

} // namespace quarbel
