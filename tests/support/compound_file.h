#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quarbel::testing {

// A compound file (the container of binary Office documents and of password-protected
// Office Open XML packages) holding the given streams in its root. Each stream is padded to
// at least 4096 bytes so that all live in ordinary sectors. Names are ASCII.
std::string CompoundFile(const std::vector<std::pair<std::string, std::string>>& streams);

} // namespace quarbel::testing
