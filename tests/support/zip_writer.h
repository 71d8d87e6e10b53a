#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quarbel::testing {

// A ZIP archive of stored (uncompressed) entries, in the given order: enough for the
// Office Open XML packages the tests write.
std::string ZipArchive(const std::vector<std::pair<std::string, std::string>>& entries);

} // namespace quarbel::testing
