#pragma once

#include <filesystem>
#include <string>

namespace quarbel {

// The "program" folder of the installed LibreOffice (Debian's, then one under /opt); empty
// when none is installed.
std::filesystem::path FindLibreOffice();

// A text that changes whenever the installed LibreOffice does (its version file and the
// size and time of its main library); "none" when none is installed.
std::string LibreOfficeStamp();

} // namespace quarbel
