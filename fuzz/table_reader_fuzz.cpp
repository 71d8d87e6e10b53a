// Feeds arbitrary bytes to the table file reader. It must either give a table that writes
// and reads back to the same table, or fail with a reason; nothing may crash, hang or
// allocate more than the input can justify.
#include "tablestore/table_image.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarbel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TableImage image;
  try {
    image = ParseTableImage(bytes);
  } catch (const TableFormatError&) {
    return 0;
  }
  // What the writer makes of a table read from anywhere is stable from then on.
  const std::string written = FormatTableImage(image);
  try {
    const TableImage again = ParseTableImage(written);
    if (FormatTableImage(again) != written)
      std::abort();
  } catch (const TableFormatError&) {
    std::abort();
  }
  return 0;
}
