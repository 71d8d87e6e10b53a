#include "structure/structure_file.h"

#include "text/error.h"
#include "text/file_bytes.h"

namespace quarbel {

std::string FormatStructure(const Outline& outline) {
  size_t size = 0;
  for (const OutlineNode& node : outline)
    size += static_cast<size_t>(node.depth) + node.text.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const OutlineNode& node : outline) {
    bytes.append(static_cast<size_t>(node.depth), '\t');
    bytes += node.text;
    bytes += "\r\n";
  }
  return bytes;
}

Outline ParseStructure(std::string_view bytes) {
  if (const size_t nul = bytes.find('\0'); nul != std::string_view::npos)
    bytes = bytes.substr(0, nul);

  Outline outline;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos)
      end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end;
    if (pos < bytes.size()) {
      pos += (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ? 2 : 1;
    }

    const size_t level = line.find_first_not_of("\t ");
    const size_t indent = level == std::string_view::npos ? line.size() : level;
    const std::string_view text = line.substr(indent);

    int depth = 0;
    if (!outline.empty()) {
      const size_t previous = static_cast<size_t>(outline.back().depth);
      if (indent > previous + 1) {
        throw Error("Invalid level (" + std::to_string(indent) + ") for item \"" +
                    std::string(text) + "\"");
      }
      depth = static_cast<int>(indent);
    }
    outline.push_back(OutlineNode{depth, std::string(text)});
  }
  return outline;
}

void WriteStructureFile(const std::filesystem::path& path, const Outline& outline) {
  ReplaceFileBytes(path, FormatStructure(outline));
}

Outline ReadStructureFile(const std::filesystem::path& path) {
  return ParseStructure(ReadFileBytes(path));
}

} // namespace quarbel
