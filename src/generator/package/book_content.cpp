#include "generator/package/book_content.h"

#include "generator/html_plain_text.h"
#include "generator/html_text.h"
#include "generator/menu_page.h"
#include "generator/modern_pages.h"
#include "structure/node_text.h"
#include "text/cp1251.h"
#include "text/safe_file_name.h"

namespace quarbel {
namespace {

// Removes headings that hold no page, at any depth.
void Prune(std::vector<MenuEntry>& entries) {
  std::vector<MenuEntry> kept;
  for (MenuEntry& entry : entries) {
    Prune(entry.children);
    if (!entry.href.empty() || !entry.children.empty())
      kept.push_back(std::move(entry));
  }
  entries = std::move(kept);
}

} // namespace

std::vector<BookNode> CollectBookNodes(const GenerationInput& input, const TextbookFolder& folder,
                                       bool readPages) {
  std::vector<BookNode> nodes;
  int page = 0;
  for (const OutlineNode& outline : input.outline) {
    BookNode node;
    node.level = outline.depth;
    node.title = PlainTextOfHtml(Utf8FromCp1251(TypedTextAsHtml(MenuTitle(outline.text))));
    if (IsDocumentText(outline.text)) {
      node.page = "page" + std::to_string(++page) + ".html";
      node.documentPath = PathFromNodeText(outline.text);
      node.kind = PageKindOf(node.documentPath);
      if (node.kind == PageKind::Word) {
        if (readPages) {
          std::string text = folder.ReadText(node.page, input.encoding);
          if (const std::optional<std::string> block = TakeTableOfContents(text))
            node.contents = ContentsEntriesOf(*block);
          WordPageParts parts = SplitWordPage(text);
          node.style = Utf8FromCp1251(parts.style);
          node.body = Utf8FromCp1251(parts.body);
        }
      } else if (node.kind != PageKind::Unlisted) {
        node.copy = "other/" + Utf8FromCp1251(MakeSafeFileName(node.documentPath));
      }
    }
    nodes.push_back(std::move(node));
  }
  return nodes;
}

std::vector<MenuEntry> PageTree(const std::vector<BookNode>& nodes, bool contents) {
  std::vector<std::pair<int, MenuEntry>> leveled;
  for (const BookNode& node : nodes) {
    MenuEntry entry{node.title, node.page, {}};
    if (contents && !node.contents.empty()) {
      std::vector<std::pair<int, MenuEntry>> items;
      for (const ContentsEntry& item : node.contents)
        items.push_back({item.level, {item.title, node.page + "#" + item.anchor, {}}});
      AddNested(entry.children, items);
    }
    leveled.push_back({node.level, std::move(entry)});
  }
  std::vector<MenuEntry> tree;
  AddNested(tree, leveled);
  Prune(tree);
  return tree;
}

} // namespace quarbel
