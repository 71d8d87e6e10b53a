#include "generator/navigation.h"

namespace quarbel {

void AddPageNavigation(const TextbookFolder& folder, int count, OutputEncoding encoding,
                       const std::string& previousExtension, const std::string& forwardExtension) {
  const auto link = [](int page, const std::string& icon) {
    return "<A Href = \"page" + std::to_string(page) + ".html\"><IMG SRC=\"img/" + icon + "\"></A>";
  };
  for (int i = 1; i <= count; ++i) {
    const std::string name = "page" + std::to_string(i) + ".html";
    Lines lines = SplitLines(folder.ReadText(name, encoding));
    size_t body = lines.size();
    for (size_t k = lines.size(); k-- > 0;) {
      if (lines[k] == "</body>") {
        body = k;
        break;
      }
    }
    if (body == lines.size())
      continue;
    std::string links;
    if (i > 1)
      links += link(i - 1, "previous" + previousExtension);
    if (i < count)
      links += link(i + 1, "forward" + forwardExtension);
    // Before the line that precedes "</body>" (at the very top when "</body>" is the first line).
    const size_t at = body == 0 ? 0 : body - 1;
    lines.insert(lines.begin() + static_cast<long>(at), {"<P Align=Center>", links});
    folder.WriteText(name, JoinLines(lines), encoding);
  }
}

} // namespace quarbel
