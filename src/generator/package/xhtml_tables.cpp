#include "generator/package/xhtml_tables.h"

#include "generator/package/xhtml_text.h"

#include <algorithm>
#include <deque>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quarbel::xhtml {
namespace {

bool IsTablePart(std::string_view name) {
  return IsOneOf(name, {"tr", "td", "th", "thead", "tbody", "tfoot", "caption", "colgroup", "col"});
}

bool FitsIn(std::string_view parent, std::string_view part) {
  if (part == "tr")
    return IsOneOf(parent, {"table", "thead", "tbody", "tfoot"});
  if (part == "td" || part == "th")
    return parent == "tr";
  if (part == "col")
    return parent == "colgroup";
  return parent == "table";
}

bool HoldsTable(const Node& node) {
  return std::any_of(node.children.begin(), node.children.end(),
                     [](const Node& child) { return child.name == "table" || HoldsTable(child); });
}

// What a table holds that is no part of it goes before the table, as browsers show it.
class TableShaper {
public:
  std::vector<Node> fostered;

  void Row(Node& row) {
    std::vector<Node> cells;
    for (Node& child : row.children) {
      if (child.name == "td" || child.name == "th" || child.isBlankText())
        cells.push_back(std::move(child));
      else
        fostered.push_back(std::move(child));
    }
    row.children = std::move(cells);
  }

  // Rows, and cells outside rows gathered into rows.
  std::vector<Node> Rows(std::vector<Node>& children) {
    std::vector<Node> rows;
    size_t openRow = kNone;
    for (Node& child : children) {
      if (child.isBlankText()) {
        rows.push_back(std::move(child));
      } else if (child.name == "tr") {
        Row(child);
        rows.push_back(std::move(child));
        openRow = kNone;
      } else if (child.name == "td" || child.name == "th") {
        if (openRow == kNone) {
          rows.push_back(ElementNode("tr"));
          openRow = rows.size() - 1;
        }
        rows[openRow].children.push_back(std::move(child));
      } else {
        fostered.push_back(std::move(child));
        openRow = kNone;
      }
    }
    return rows;
  }

  // caption, column groups, head, body rows or groups, foot: the order XHTML wants.
  void Shape(Node& table) {
    std::optional<Node> caption, head, foot;
    std::vector<Node> columns;
    std::vector<Node> body;
    std::vector<Node>* last = &columns;
    size_t openColumns = kNone;
    std::vector<Node> loose; // rows and cells straight in the table, in order
    const auto flushLoose = [&] {
      for (Node& row : Rows(loose))
        body.push_back(std::move(row));
      loose.clear();
    };
    for (Node& child : table.children) {
      if (child.isBlankText()) {
        (loose.empty() ? *last : loose).push_back(std::move(child));
        continue;
      }
      if (child.name != "col")
        openColumns = kNone;
      if (child.name == "tr" || child.name == "td" || child.name == "th") {
        loose.push_back(std::move(child));
        last = &body;
        continue;
      }
      flushLoose();
      if (child.name == "caption" && !caption && !HoldsTable(child)) {
        caption = std::move(child);
      } else if (child.name == "colgroup") {
        std::vector<Node> kept;
        for (Node& column : child.children)
          (column.name == "col" || column.isBlankText() ? kept : fostered)
              .push_back(std::move(column));
        child.children = std::move(kept);
        columns.push_back(std::move(child));
        last = &columns;
      } else if (child.name == "col") {
        if (openColumns == kNone) {
          columns.push_back(ElementNode("colgroup"));
          openColumns = columns.size() - 1;
        }
        columns[openColumns].children.push_back(std::move(child));
        last = &columns;
      } else if (child.name == "thead" || child.name == "tbody" || child.name == "tfoot") {
        child.children = Rows(child.children);
        if (child.name == "thead" && !head)
          head = std::move(child);
        else if (child.name == "tfoot" && !foot)
          foot = std::move(child);
        else {
          child.name = "tbody";
          body.push_back(std::move(child));
        }
        last = &body;
      } else {
        if (child.name == "caption")
          child.name = "div";
        fostered.push_back(std::move(child));
      }
    }
    flushLoose();

    // Rows straight in the table and row groups do not mix: loose rows get a group.
    const bool groups =
        std::any_of(body.begin(), body.end(), [](const Node& n) { return n.name == "tbody"; });
    const bool rows =
        std::any_of(body.begin(), body.end(), [](const Node& n) { return n.name == "tr"; });
    if (groups && rows) {
      std::vector<Node> grouped;
      size_t open = kNone;
      for (Node& item : body) {
        if (item.name == "tr") {
          if (open == kNone) {
            grouped.push_back(ElementNode("tbody"));
            open = grouped.size() - 1;
          }
          grouped[open].children.push_back(std::move(item));
        } else if (item.isBlankText() && open != kNone) {
          grouped[open].children.push_back(std::move(item));
        } else {
          if (!item.isText())
            open = kNone;
          grouped.push_back(std::move(item));
        }
      }
      body = std::move(grouped);
    }

    table.children.clear();
    if (caption)
      table.children.push_back(std::move(*caption));
    std::move(columns.begin(), columns.end(), std::back_inserter(table.children));
    if (head)
      table.children.push_back(std::move(*head));
    std::move(body.begin(), body.end(), std::back_inserter(table.children));
    if (foot)
      table.children.push_back(std::move(*foot));
    std::erase_if(fostered, [](const Node& n) { return n.isBlankText(); });
  }
};

} // namespace

void FixTables(Node& node) {
  std::deque<Node> queue(std::make_move_iterator(node.children.begin()),
                         std::make_move_iterator(node.children.end()));
  node.children.clear();
  while (!queue.empty()) {
    Node child = std::move(queue.front());
    queue.pop_front();
    if (!child.isText() && IsTablePart(child.name) && !FitsIn(node.name, child.name)) {
      // A cell, row or group outside its table: its content stays where it is.
      if (child.name != "col" && child.name != "colgroup")
        queue.insert(queue.begin(), std::make_move_iterator(child.children.begin()),
                     std::make_move_iterator(child.children.end()));
      continue;
    }
    if (child.name == "table") {
      TableShaper shaper;
      shaper.Shape(child);
      if (!shaper.fostered.empty()) {
        queue.push_front(std::move(child));
        queue.insert(queue.begin(), std::make_move_iterator(shaper.fostered.begin()),
                     std::make_move_iterator(shaper.fostered.end()));
        continue;
      }
    }
    node.children.push_back(std::move(child));
  }
  for (Node& child : node.children)
    if (!child.isText())
      FixTables(child);
}

} // namespace quarbel::xhtml
