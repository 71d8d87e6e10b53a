#include "generator/search_script.h"

#include "text/json_text.h"

namespace quarbel {

std::string SearchScript(const std::vector<SearchRecord>& records) {
  std::string out = std::string(kUtf8ByteOrderMark) + "window.QUARBEL_SEARCH = [";
  for (size_t i = 0; i < records.size(); ++i) {
    const SearchRecord& record = records[i];
    out += i == 0 ? "\n" : ",\n";
    out += "{\"id\":" + JsonUtf8String(record.page) + ",\"t\":" + JsonUtf8String(record.title) +
           ",\"x\":" + JsonUtf8String(record.text) + "}";
  }
  return out + "\n];\n";
}

} // namespace quarbel
