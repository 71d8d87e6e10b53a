#include "generator/package/epub_book.h"

#include "generator/html_plain_text.h"
#include "generator/html_text.h"
#include "generator/modern_pages.h"
#include "generator/modern_textbook.h"
#include "generator/package/media_type.h"
#include "generator/package/xhtml_body.h"
#include "generator/title_page.h"
#include "text/cp1251.h"
#include "text/paths.h"
#include "text/percent_encoding.h"
#include "text/text_case.h"
#include "text/xml_text.h"

#include <chrono>
#include <ctime>
#include <map>
#include <optional>
#include <set>

namespace quarbel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kRoot = "OEBPS/";

// The book's own look: the teacher's pages keep theirs; pictures and tables stay on the screen.
constexpr const char* kBookStyle = "img, video { max-width: 100%; height: auto; }\n"
                                   "table { border-collapse: collapse; max-width: 100%; }\n"
                                   "figure { margin: 1em 0; text-align: center; }\n"
                                   ".title-page { text-align: center; }\n"
                                   ".title-page .logo, .author-page .photo { max-width: 50%; }\n"
                                   ".document img { vertical-align: middle; }\n"
                                   "nav ol { list-style: none; }\n";

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// "page3.html" gives "page3.xhtml".
std::string DocumentName(const std::string& page) {
  return page.substr(0, page.rfind('.')) + ".xhtml";
}

// A manifest id from a document name: "page3.xhtml" gives "page3".
std::string DocumentId(const std::string& document) {
  return document.substr(0, document.rfind('.'));
}

// A name that every zip reader and e-reader takes: letters, digits, "._-/" only.
bool PlainName(const std::string& name) {
  for (const char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '_' || c == '-' || c == '/';
    if (!plain)
      return false;
  }
  return !name.empty() && name.find("..") == std::string::npos;
}

struct ManifestItem {
  std::string id;
  std::string href; // relative to the package document, not yet URI-encoded
  std::string mediaType;
  std::string properties;
  std::string fallback;
};

class Book {
public:
  Book(const GenerationInput& input, const std::vector<BookNode>& nodes, fs::path folder,
       ZipWriter& zip)
      : input_(input), nodes_(nodes), folder_(std::move(folder)), zip_(zip) {}

  void Write();

private:
  // Pass one: the ids every Word page will have, for checking links into the pages.
  void CollectIds();
  std::optional<std::string> Reference(const std::string& reference, ReferenceKind kind,
                                       const std::string& document);
  std::optional<std::string> TextbookFile(const std::string& relative);
  std::string AddFile(const std::string& relative, const std::string& mediaType);
  std::string AddBytes(const std::string& name, std::string bytes, const std::string& properties);
  std::string PageBody(const BookNode& node, const std::string& document);
  void AddDocument(const std::string& document, const std::string& title, const std::string& style,
                   const std::string& body);
  std::string Navigation(const std::vector<MenuEntry>& tree);
  void NavigationItems(const std::vector<MenuEntry>& entries, std::string& out, int depth);
  std::string PackageDocument();

  const GenerationInput& input_;
  const std::vector<BookNode>& nodes_;
  fs::path folder_;
  ZipWriter& zip_;
  std::map<std::string, std::set<std::string>> ids_; // document → ids
  std::set<std::string> documents_;                  // the book's page documents
  std::map<std::string, std::string> files_;         // textbook file → its name in the book
  std::vector<ManifestItem> manifest_;
  std::vector<std::string> spine_;
  std::vector<std::string> attachments_; // spine entries outside the reading order
  std::string title_;
  int counter_ = 0;
};

void Book::CollectIds() {
  const ReferenceMap keep = [](const std::string& reference, ReferenceKind) {
    return std::optional<std::string>(reference);
  };
  for (const BookNode& node : nodes_)
    if (!node.page.empty() && node.kind == PageKind::Word)
      ids_[DocumentName(node.page)] = XhtmlBodyOf(node.body, keep).ids;
}

std::optional<std::string> Book::TextbookFile(const std::string& relative) {
  const fs::path inside = fs::path(relative).lexically_normal();
  if (relative.empty() || inside.is_absolute() || inside.empty() || *inside.begin() == "..")
    return std::nullopt;
  std::error_code error;
  if (!fs::is_regular_file(folder_ / inside, error))
    return std::nullopt;
  return inside.generic_string();
}

std::string Book::AddFile(const std::string& relative, const std::string& mediaType) {
  const auto known = files_.find(relative);
  if (known != files_.end())
    return known->second;
  const std::string id = "file" + std::to_string(++counter_);
  std::string name = relative;
  if (!PlainName(name)) {
    const size_t dot = relative.rfind('.');
    const std::string extension =
        dot == std::string::npos || relative.find('/', dot) != std::string::npos
            ? ""
            : LowerCaseText(relative.substr(dot));
    name = "files/" + id + (PlainName(extension) ? extension : "");
  }
  zip_.AddFile(kRoot + name, folder_ / relative);
  manifest_.push_back({id, name, mediaType, "", ""});
  files_[relative] = name;
  return name;
}

std::string Book::AddBytes(const std::string& name, std::string bytes,
                           const std::string& properties) {
  const std::string id = "file" + std::to_string(++counter_);
  zip_.AddBytes(kRoot + name, std::move(bytes));
  manifest_.push_back({id, name, MediaTypeOf(name), properties, ""});
  return name;
}

std::optional<std::string> Book::Reference(const std::string& reference, ReferenceKind kind,
                                           const std::string& document) {
  if (reference.empty())
    return std::nullopt;
  const std::string lower = LowerCaseText(reference);
  if (kind == ReferenceKind::Link &&
      (StartsWith(lower, "http://") || StartsWith(lower, "https://") ||
       StartsWith(lower, "mailto:")))
    return reference;
  if (StartsWith(lower, "javascript:") || StartsWith(lower, "file:") ||
      StartsWith(lower, "data:") || lower.find("://") != std::string::npos)
    return std::nullopt;
  const size_t hash = reference.find('#');
  const std::string path = PercentDecoded(reference.substr(0, std::min(hash, reference.find('?'))));
  const std::string fragment = hash == std::string::npos ? "" : reference.substr(hash + 1);

  if (kind == ReferenceKind::Link) {
    // Within the page, or to another page of the book; a fragment that names nothing there
    // leads to the page itself.
    const std::string target =
        path.empty() ? document : DocumentName(std::string(FileNameOf(path)));
    if (!path.empty() && (path.find('/') != std::string::npos || !documents_.count(target) ||
                          LowerCaseText(ExtensionOf(path)) != ".html"))
      return std::nullopt;
    const auto ids = ids_.find(target);
    const bool known = !fragment.empty() && ids != ids_.end() && ids->second.count(fragment);
    if (target == document)
      return known ? std::optional<std::string>("#" + fragment) : std::nullopt;
    return target + (known ? "#" + fragment : "");
  }
  // A picture of the page: kept when the e-reader can show it.
  const std::optional<std::string> file = TextbookFile(path);
  if (kind != ReferenceKind::Picture || !file || !IsCoreImage(MediaTypeOf(*file)))
    return std::nullopt;
  return UriPathEncoded(AddFile(*file, MediaTypeOf(*file)));
}

std::string Book::PageBody(const BookNode& node, const std::string& document) {
  const std::string name = XmlEscaped(FileNameOf(std::string(Utf8FromCp1251(node.documentPath))));
  if (node.kind == PageKind::Word) {
    return XhtmlBodyOf(node.body,
                       [&](const std::string& reference, ReferenceKind kind) {
                         return Reference(reference, kind, document);
                       })
        .markup;
  }
  const std::optional<std::string> copy =
      node.copy.empty() ? std::nullopt : TextbookFile(node.copy);
  const std::string heading = "<h1>" + XmlEscaped(node.title) + "</h1>\n";
  if (node.kind == PageKind::Unlisted || !copy)
    return heading + "<p>Документ «" + name + "» " +
           (node.kind == PageKind::Unlisted ? "має тип, який книга не може показати."
                                            : "не знайдено під час конвертування.") +
           "</p>\n";
  const std::string mediaType = MediaTypeOf(*copy);
  if (node.kind == PageKind::Image && IsCoreImage(mediaType)) {
    const std::string file = UriPathEncoded(AddFile(*copy, mediaType));
    return heading + "<figure class=\"picture\"><img src=\"" + XmlEscaped(file) + "\" alt=\"" +
           name + "\"/><figcaption>" + name + "</figcaption></figure>\n";
  }
  if (node.kind == PageKind::Video) {
    const std::string file = UriPathEncoded(AddFile(*copy, mediaType));
    return heading + "<figure class=\"video\"><video src=\"" + XmlEscaped(file) +
           "\" controls=\"controls\"><p>Ця програма для читання не відтворює відео «" + name +
           "».</p></video><figcaption>" + name + "</figcaption></figure>\n";
  }
  // An attachment: in the book, opened from its page by the e-reader if it can.
  const std::string file = AddFile(*copy, mediaType);
  std::string icon;
  const std::string iconFile = "img/" + Utf8FromCp1251(TypeIconTarget(node.kind));
  if (const auto source = TextbookFile(iconFile); source && IsCoreImage(MediaTypeOf(*source)))
    icon = "<img src=\"" + XmlEscaped(UriPathEncoded(AddFile(*source, MediaTypeOf(*source)))) +
           "\" alt=\"\" width=\"48\" height=\"48\"/> ";
  for (ManifestItem& candidate : manifest_) {
    if (candidate.href == file && candidate.fallback.empty()) {
      candidate.fallback = DocumentId(document);
      attachments_.push_back(candidate.id);
    }
  }
  return heading + "<p class=\"document\">" + icon + "<a href=\"" +
         XmlEscaped(UriPathEncoded(file)) + "\">" + name +
         "</a></p>\n<p>Документ додано до книги як вкладення; програма для " +
         "читання відкриває його за посиланням, якщо вміє.</p>\n";
}

void Book::AddDocument(const std::string& document, const std::string& title,
                       const std::string& style, const std::string& body) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<!DOCTYPE html>\n"
                    "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
                    "xmlns:epub=\"http://www.idpf.org/2007/ops\" lang=\"uk\" xml:lang=\"uk\">\n"
                    "<head>\n"
                    "<title>" +
                    XmlEscaped(title) +
                    "</title>\n"
                    "<link rel=\"stylesheet\" type=\"text/css\" href=\"book.css\"/>\n";
  if (!style.empty())
    out += "<style>\n" + XmlEscaped(style) + "\n</style>\n";
  out += "</head>\n<body>\n" + body + "\n</body>\n</html>\n";
  zip_.AddBytes(kRoot + document, std::move(out));
  manifest_.push_back({DocumentId(document), document, "application/xhtml+xml", "", ""});
  spine_.push_back(DocumentId(document));
}

void Book::NavigationItems(const std::vector<MenuEntry>& entries, std::string& out, int depth) {
  const std::string indent(2 * depth, ' ');
  out += indent + "<ol>\n";
  for (const MenuEntry& entry : entries) {
    out += indent + "  <li>";
    if (entry.href.empty()) {
      out += "<span>" + XmlEscaped(entry.title) + "</span>";
    } else {
      const size_t hash = entry.href.find('#');
      const std::string document = DocumentName(entry.href.substr(0, hash));
      std::string href = document;
      if (hash != std::string::npos) {
        const std::string fragment = XhtmlIdOf(entry.href.substr(hash + 1));
        const auto ids = ids_.find(document);
        if (ids != ids_.end() && ids->second.count(fragment))
          href += "#" + fragment;
      }
      out += "<a href=\"" + XmlEscaped(href) + "\">" + XmlEscaped(entry.title) + "</a>";
    }
    if (!entry.children.empty()) {
      out += "\n";
      NavigationItems(entry.children, out, depth + 2);
      out += indent + "  ";
    }
    out += "</li>\n";
  }
  out += indent + "</ol>\n";
}

std::string Book::Navigation(const std::vector<MenuEntry>& tree) {
  std::string out = "<nav epub:type=\"toc\" id=\"toc\">\n<h1>Зміст</h1>\n";
  NavigationItems(tree, out, 0);
  out += "</nav>\n";
  return out;
}

std::string Book::PackageDocument() {
  std::string creator;
  if (input_.authorPage) {
    for (const int field : {Surname, FirstName, Patronymic}) {
      const std::string part = PlainTextOfHtml(
          Utf8FromCp1251(TypedTextAsHtml(input_.author.texts[static_cast<size_t>(field)])));
      if (!part.empty())
        creator += (creator.empty() ? "" : " ") + part;
    }
  }
  const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char modified[32];
  std::strftime(modified, sizeof modified, "%Y-%m-%dT%H:%M:%SZ", &utc);

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
                    "unique-identifier=\"book-id\" xml:lang=\"uk\">\n"
                    "  <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                    "    <dc:identifier id=\"book-id\">urn:uuid:" +
                    PackageUuid(input_.outputFolder, title_) +
                    "</dc:identifier>\n"
                    "    <dc:title>" +
                    XmlEscaped(title_) + "</dc:title>\n";
  if (!creator.empty())
    out += "    <dc:creator>" + XmlEscaped(creator) + "</dc:creator>\n";
  out += "    <dc:language>uk</dc:language>\n"
         "    <meta property=\"dcterms:modified\">" +
         std::string(modified) + "</meta>\n";
  for (const ManifestItem& item : manifest_)
    if (item.properties == "cover-image")
      out += "    <meta name=\"cover\" content=\"" + item.id + "\"/>\n";
  out += "  </metadata>\n  <manifest>\n";
  for (const ManifestItem& item : manifest_) {
    out += "    <item id=\"" + item.id + "\" href=\"" + XmlEscaped(UriPathEncoded(item.href)) +
           "\" media-type=\"" + item.mediaType + "\"";
    if (!item.properties.empty())
      out += " properties=\"" + item.properties + "\"";
    if (!item.fallback.empty())
      out += " fallback=\"" + item.fallback + "\"";
    out += "/>\n";
  }
  out += "  </manifest>\n  <spine>\n";
  for (const std::string& id : spine_)
    out += "    <itemref idref=\"" + id + "\"/>\n";
  for (const std::string& id : attachments_)
    out += "    <itemref idref=\"" + id + "\" linear=\"no\"/>\n";
  out += "  </spine>\n</package>\n";
  return out;
}

void Book::Write() {
  title_ = Utf8FromCp1251(ModernCourseTitle(input_));
  zip_.AddBytes("mimetype", "application/epub+zip", true);
  zip_.AddBytes("META-INF/container.xml",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<container version=\"1.0\" "
                "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
                "  <rootfiles>\n"
                "    <rootfile full-path=\"OEBPS/content.opf\" "
                "media-type=\"application/oebps-package+xml\"/>\n"
                "  </rootfiles>\n"
                "</container>\n");
  AddBytes("book.css", kBookStyle, "");

  for (const BookNode& node : nodes_)
    if (!node.page.empty())
      documents_.insert(DocumentName(node.page));
  CollectIds();

  const auto pictureOf = [&](const RecordValue& record, const char* name,
                             const char* properties) -> std::string {
    const RecordPicture* picture = ChosenPicture(record);
    if (!picture)
      return "";
    const std::string file = std::string("img/") + name + LowerCaseText(picture->extension);
    if (!IsCoreImage(MediaTypeOf(file)))
      return ""; // a BMP: no e-reader has to show it
    return AddBytes(file, picture->bytes, properties);
  };
  const auto recordPage = [&](const std::string& document, const std::string& title,
                              const std::string& markup1251) {
    const std::string body =
        XhtmlBodyOf(
            Utf8FromCp1251(markup1251),
            [&](const std::string& reference, ReferenceKind kind) -> std::optional<std::string> {
              if (kind == ReferenceKind::Picture && StartsWith(reference, "img/"))
                return reference;
              return std::nullopt;
            })
            .markup;
    AddDocument(document, title, "", body);
  };

  std::vector<MenuEntry> tree;
  if (input_.titlePage) {
    const std::string logo = pictureOf(input_.title, "logo", "cover-image");
    recordPage("title.xhtml", title_, ModernTitleBody(input_.title, logo));
    tree.push_back({"Титульна сторінка", "title.html", {}});
  }
  for (const BookNode& node : nodes_) {
    if (node.page.empty())
      continue;
    const std::string document = DocumentName(node.page);
    std::string style;
    if (!node.style.empty()) {
      // The page's own style section without its tags and comment marks.
      const size_t open = node.style.find('>');
      const size_t close = node.style.rfind("</");
      if (open != std::string::npos && close != std::string::npos && close > open)
        style = node.style.substr(open + 1, close - open - 1);
      for (const char* mark : {"<!--", "-->"})
        for (size_t at; (at = style.find(mark)) != std::string::npos;)
          style.erase(at, std::string(mark).size());
    }
    AddDocument(document, node.title, style, PageBody(node, document));
  }
  for (const MenuEntry& entry : PageTree(nodes_, true))
    tree.push_back(entry);
  if (input_.authorPage) {
    const std::string photo = pictureOf(input_.author, "photo", "");
    recordPage("author.xhtml", "Інформація про автора", ModernAuthorBody(input_.author, photo));
    tree.push_back({"Інформація про автора", "author.html", {}});
  }

  std::string nav = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<!DOCTYPE html>\n"
                    "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
                    "xmlns:epub=\"http://www.idpf.org/2007/ops\" lang=\"uk\" xml:lang=\"uk\">\n"
                    "<head>\n<title>Зміст</title>\n"
                    "<link rel=\"stylesheet\" type=\"text/css\" href=\"book.css\"/>\n"
                    "</head>\n<body>\n" +
                    Navigation(tree) + "</body>\n</html>\n";
  zip_.AddBytes(std::string(kRoot) + "nav.xhtml", std::move(nav));
  manifest_.push_back({"nav", "nav.xhtml", "application/xhtml+xml", "nav", ""});
  zip_.AddBytes(std::string(kRoot) + "content.opf", PackageDocument());
}

} // namespace

void WriteEpubBook(const GenerationInput& input, const std::vector<BookNode>& nodes,
                   const fs::path& folder, ZipWriter& zip) {
  Book(input, nodes, folder, zip).Write();
}

} // namespace quarbel
