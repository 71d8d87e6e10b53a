// Feeds arbitrary bytes to the structure reader and the node text routines. The reader
// must give a well-formed outline that survives writing and reading back, or the level
// error; nothing may crash.
#include "structure/node_text.h"
#include "structure/structure_file.h"
#include "text/error.h"
#include "text/safe_file_name.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarbel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const Outline outline = ParseStructure(bytes);
    if (!IsWellFormed(outline) || ParseStructure(FormatStructure(outline)) != outline)
      std::abort();
    for (const OutlineNode& node : outline) {
      if (IsDocumentText(node.text)) {
        PathFromNodeText(node.text);
        TitleFromNodeText(node.text);
      }
    }
  } catch (const Error& e) {
    if (std::string_view(e.what()).substr(0, 15) != "Invalid level (")
      std::abort();
  }
  const std::string title = TitleFromPath(bytes);
  if (title.find_first_of("[]") != std::string::npos)
    std::abort();
  MakeSafeFileName(bytes);
  return 0;
}
