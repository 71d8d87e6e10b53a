#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Whole-file reading and safe replacement. Failures throw Error with a Ukrainian text that
// names the file and the reason.
namespace quarbel {

std::string ReadFileBytes(const std::filesystem::path& path);

// Writes `bytes` to a new file in the target's folder and renames it over the target, so
// that a crash or a full disk never leaves a half-written file in place of a good one.
// An existing target keeps its permissions.
void ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Creates or truncates the file and writes `bytes`: for files the program makes anew
// (a textbook's pages), where a sync per file would cost more than it protects.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Copies a file into a new one (never over an existing file); a short write is an error.
void CopyFileBytes(const std::filesystem::path& from, const std::filesystem::path& to);

// The Ukrainian text of a system error number, for messages.
std::string SystemErrorText(int errorNumber);

} // namespace quarbel
