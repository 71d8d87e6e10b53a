#include "generator/convert_command.h"
#include "generator/package/epub_book.h"
#include "generator/package/scorm_package.h"
#include "generator/package/zip_writer.h"

#include "generator/fake_word_processor.h"
#include "pictures/builtin_icons.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "support/zip_reading.h"
#include "text/cp1251.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>
#include <set>
#include <unistd.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// --- the zip writer ---

TEST(ZipWriterTest, EntriesComeInOrderAndAStoredFirstEntryIsBare) {
  TempDir dir;
  WriteBytes(dir / "source.txt", std::string(100000, 'x'));
  ZipWriter zip(dir / "book.epub");
  zip.AddBytes("mimetype", "application/epub+zip", true);
  zip.AddBytes("OEBPS/Фізика.xhtml", "<p>Ґанок</p>");
  zip.AddFile("OEBPS/other/source.txt", dir / "source.txt");
  EXPECT_FALSE(fs::exists(dir / "book.epub")) << "nothing is in place before Commit";
  zip.Commit();

  const std::vector<ZipEntry> entries = ReadZip(dir / "book.epub");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "mimetype");
  EXPECT_TRUE(entries[0].stored);
  EXPECT_EQ(entries[0].extraFields, 0);
  EXPECT_EQ(entries[1].name, "OEBPS/Фізика.xhtml");
  EXPECT_EQ(entries[1].bytes, "<p>Ґанок</p>");
  EXPECT_FALSE(entries[2].stored);
  EXPECT_EQ(entries[2].bytes, std::string(100000, 'x'));
  // What an EPUB reader checks byte by byte: the first local header names "mimetype", stored,
  // with no extra field, and the type follows at once.
  const std::string raw = ReadFileBytes(dir / "book.epub");
  EXPECT_EQ(raw.substr(0, 4), std::string("PK\x03\x04", 4));
  EXPECT_EQ(raw.substr(8, 2), std::string("\0\0", 2));
  EXPECT_EQ(raw.substr(28, 2), std::string("\0\0", 2));
  EXPECT_EQ(raw.substr(30, 28), "mimetypeapplication/epub+zip");
  EXPECT_EQ(RunShell("unzip -tq '" + (dir / "book.epub").string() + "'").code, 0);
  EXPECT_EQ(FolderContents(dir.path()).size(), 2u) << "no temporary file stays";
}

TEST(ZipWriterTest, AnAbandonedPackageLeavesNothingAndKeepsTheOldOne) {
  TempDir dir;
  WriteBytes(dir / "course.zip", "the package of last week");
  {
    ZipWriter zip(dir / "course.zip");
    zip.AddBytes("a.txt", "new");
    zip.Finish(); // written, but the conversion failed before it was put in place
  }
  {
    ZipWriter zip(dir / "course.zip");
    zip.AddBytes("a.txt", "new");
  }
  EXPECT_EQ(FolderContents(dir.path()),
            (std::map<std::string, std::string>{{"course.zip", "the package of last week"}}));
}

TEST(ZipWriterTest, APackageTakesAwayWhatKilledConversionsLeftOfIt) {
  TempDir dir;
  const std::string mine = ".course.zip.quarbel-" + std::to_string(::getpid()) + "-7.part";
  for (const std::string name : {std::string(".course.zip.quarbel-2147483646-1.part"), mine,
                                 std::string(".other.zip.quarbel-2147483646-1.part")})
    WriteBytes(dir / name, "half a package");
  ZipWriter zip(dir / "course.zip");
  EXPECT_FALSE(fs::exists(dir / ".course.zip.quarbel-2147483646-1.part"));
  EXPECT_TRUE(fs::exists(dir / mine)) << "a running conversion's file stays";
  EXPECT_TRUE(fs::exists(dir / ".other.zip.quarbel-2147483646-1.part"));
}

TEST(ZipWriterTest, FailuresNameThePackageOrTheFile) {
  TempDir dir;
  const std::string nowhere = ErrorOf([&] {
    ZipWriter zip(dir / "no such folder" / "course.zip");
    zip.AddBytes("a.txt", "a");
    zip.Commit();
  });
  EXPECT_NE(nowhere.find("Не вдалося записати пакет \"" +
                         (dir / "no such folder" / "course.zip").string() + "\""),
            std::string::npos)
      << nowhere;
  const std::string missing = ErrorOf([&] {
    ZipWriter zip(dir / "course.zip");
    zip.AddFile("gone.pdf", dir / "gone.pdf");
    zip.Commit();
  });
  EXPECT_NE(missing.find((dir / "gone.pdf").string()), std::string::npos) << missing;
  EXPECT_FALSE(fs::exists(dir / "course.zip"));
  // A package whose place is taken by a folder.
  fs::create_directories(dir / "taken.zip" / "inside");
  const std::string taken = ErrorOf([&] {
    ZipWriter zip(dir / "taken.zip");
    zip.AddBytes("a.txt", "a");
    zip.Commit();
  });
  EXPECT_NE(taken.find((dir / "taken.zip").string()), std::string::npos) << taken;
  EXPECT_TRUE(fs::is_directory(dir / "taken.zip" / "inside"));
  EXPECT_EQ(FolderContents(dir.path()).size(), 0u);
}

// --- XML of the packages ---

struct XmlDocument {
  explicit XmlDocument(const std::string& text)
      : doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8",
                          XML_PARSE_NONET)) {}
  ~XmlDocument() { xmlFreeDoc(doc); }
  // The texts or attribute values the path selects; prefixes as registered below.
  std::vector<std::string> Select(const std::string& path) const {
    std::vector<std::string> out;
    if (!doc)
      return out;
    xmlXPathContextPtr context = xmlXPathNewContext(doc);
    const std::pair<const char*, const char*> spaces[] = {
        {"cp", "http://www.imsproject.org/xsd/imscp_rootv1p1p2"},
        {"adlcp", "http://www.adlnet.org/xsd/adlcp_rootv1p2"},
        {"opf", "http://www.idpf.org/2007/opf"},
        {"dc", "http://purl.org/dc/elements/1.1/"},
        {"h", "http://www.w3.org/1999/xhtml"},
        {"epub", "http://www.idpf.org/2007/ops"}};
    for (const auto& [prefix, uri] : spaces)
      xmlXPathRegisterNs(context, BAD_CAST prefix, BAD_CAST uri);
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST path.c_str(), context);
    if (result && result->nodesetval)
      for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
        xmlChar* text = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
        out.push_back(text ? reinterpret_cast<const char*>(text) : "");
        xmlFree(text);
      }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return out;
  }
  xmlDocPtr doc;
};

// --- packages from a conversion ---

class PackageTest : public ::testing::Test {
protected:
  PackageTest() {
    for (const char* name :
         {"Вступ toc.doc", "Досліди picture.doc", "Таблиці.pdf", "Карта.djvu", "Оцінки.xls",
          "Слайди.ppt", "Фото.jpg", "Схема.bmp", "Дослід.mp4", "Записка.txt"})
      WriteBytes(sources / name, std::string("content of ") + name);
    input.programFolder = QUARBEL_PROGRAM_DIR;
    input.outputFolder = out / "Фізика";
  }
  std::string Doc(const char* title, const char* name) {
    return W(title) + " [ " + W((sources / name).string()) + " ]";
  }
  // The course: a heading with two Word documents, a heading with nothing under it, a
  // heading with a PDF, and the other kinds at the top.
  Outline Course() {
    return {{0, W("Механіка")},
            {1, Doc("Вступ", "Вступ toc.doc")},
            {1, Doc("Досліди", "Досліди picture.doc")},
            {0, W("Порожній розділ")},
            {0, W("Додатки")},
            {1, Doc("Таблиці", "Таблиці.pdf")},
            {0, Doc("Карта", "Карта.djvu")},
            {0, Doc("Оцінки", "Оцінки.xls")},
            {0, Doc("Слайди", "Слайди.ppt")},
            {0, Doc("Фото", "Фото.jpg")},
            {0, Doc("Схема", "Схема.bmp")},
            {0, Doc("Дослід", "Дослід.mp4")},
            {0, Doc("Записка", "Записка.txt")}};
  }
  ConvertOutcome Convert(TextbookPackage package) {
    input.outline = Course();
    input.package = package;
    prompts.answers = {Answer::Yes, Answer::Yes};
    prompts.folders = {input.outputFolder};
    return ConvertCourse(input, prompts, word, progress, [] { return false; });
  }

  TempDir sources, out;
  GenerationInput input;
  ScriptedPrompts prompts;
  FakeWordProcessor word;
  SilentProgress progress;
};

// The titles of an organization's items, nested as "title[child,child]".
std::string Tree(xmlNodePtr node) {
  std::string out;
  for (xmlNodePtr child = node->children; child; child = child->next) {
    if (child->type != XML_ELEMENT_NODE ||
        std::string(reinterpret_cast<const char*>(child->name)) != "item")
      continue;
    if (!out.empty())
      out += ",";
    for (xmlNodePtr part = child->children; part; part = part->next)
      if (part->type == XML_ELEMENT_NODE &&
          std::string(reinterpret_cast<const char*>(part->name)) == "title") {
        xmlChar* text = xmlNodeGetContent(part);
        out += reinterpret_cast<const char*>(text);
        xmlFree(text);
      }
    const std::string inner = Tree(child);
    if (!inner.empty())
      out += "[" + inner + "]";
  }
  return out;
}

TEST_F(PackageTest, AScormPackageHoldsTheTextbookAndAManifestOfItsFilesAndMenu) {
  for (const TextbookLayout layout : {TextbookLayout::Classic, TextbookLayout::Modern}) {
    SCOPED_TRACE(TextbookLayoutName(layout));
    input.layout = layout;
    input.titlePage = true;
    input.title.texts[Discipline] = W("Загальна фізика");
    prompts.said.clear();
    ASSERT_EQ(Convert(TextbookPackage::Scorm), ConvertOutcome::Done) << prompts.said.back();
    const fs::path package = out / "Фізика.zip";
    EXPECT_EQ(prompts.said.back(),
              "information: Конвертування успішно завершено !\nПакет: " + package.string());
    EXPECT_EQ(RunShell("unzip -tq '" + package.string() + "'").code, 0);

    const std::vector<ZipEntry> entries = ReadZip(package);
    std::set<std::string> names;
    for (const ZipEntry& entry : entries)
      names.insert(entry.name);
    // Every file of the textbook, as the folder has it, plus the launch page and its script.
    std::set<std::string> expected = {"imsmanifest.xml", "scorm.html", "quarbel-scorm.js"};
    for (const auto& [name, bytes] : FolderContents(input.outputFolder)) {
      if (name == ".quarbel-vorizareda-files")
        continue;
      expected.insert(name);
      EXPECT_EQ(ZipEntryBytes(entries, name), bytes) << name;
    }
    EXPECT_EQ(names, expected);

    const XmlDocument manifest(ZipEntryBytes(entries, "imsmanifest.xml"));
    ASSERT_NE(manifest.doc, nullptr);
    EXPECT_EQ(manifest.Select("/cp:manifest/cp:metadata/cp:schema"),
              std::vector<std::string>{"ADL SCORM"});
    EXPECT_EQ(manifest.Select("/cp:manifest/cp:metadata/cp:schemaversion"),
              std::vector<std::string>{"1.2"});
    // The manifest lists every file of the zip but itself, and nothing else.
    std::set<std::string> listed;
    for (const std::string& href : manifest.Select("//cp:resource/cp:file/@href"))
      listed.insert(href);
    std::set<std::string> files = names; // the textbook's names need no %XX
    files.erase("imsmanifest.xml");
    EXPECT_EQ(listed, files);
    EXPECT_EQ(manifest.Select("//cp:resource/@adlcp:scormtype"), std::vector<std::string>{"sco"});
    EXPECT_EQ(manifest.Select("//cp:resource/@href"), std::vector<std::string>{"scorm.html"});

    // One launchable item, the textbook, holding the course tree as the menu shows it; the
    // heading with no page in it is left out.
    EXPECT_EQ(manifest.Select("//cp:item[@identifierref]/cp:title"),
              std::vector<std::string>{"Загальна фізика"});
    xmlXPathContextPtr context = xmlXPathNewContext(manifest.doc);
    xmlXPathRegisterNs(context, BAD_CAST "cp",
                       BAD_CAST "http://www.imsproject.org/xsd/imscp_rootv1p1p2");
    xmlXPathObjectPtr item = xmlXPathEvalExpression(BAD_CAST "//cp:item[@identifierref]", context);
    ASSERT_EQ(item->nodesetval->nodeNr, 1);
    EXPECT_EQ(Tree(item->nodesetval->nodeTab[0]),
              "Механіка[Вступ,Досліди],Додатки[Таблиці],Карта,Оцінки,Слайди,Фото,Схема,Дослід,"
              "Записка");
    xmlXPathFreeObject(item);
    xmlXPathFreeContext(context);

    // The launch page knows the pages in menu order and, in the classic look, the frame.
    const std::string launch = ZipEntryBytes(entries, "scorm.html");
    EXPECT_NE(launch.find("\"pages\":[\"page1.html\",\"page2.html\",\"page3.html\",\"page4.html\","
                          "\"page5.html\",\"page6.html\",\"page7.html\",\"page8.html\","
                          "\"page9.html\",\"page10.html\"]"),
              std::string::npos)
        << launch;
    EXPECT_NE(launch.find(layout == TextbookLayout::Classic ? "\"frame\":\"mainFrame\""
                                                            : "\"frame\":null"),
              std::string::npos);
  }
}

TEST_F(PackageTest, AFailedPackageLeavesTheFolderAndThePlaceAsTheyWere) {
  for (const TextbookPackage package : {TextbookPackage::Scorm, TextbookPackage::Epub}) {
    SCOPED_TRACE(TextbookPackageName(package));
    const fs::path place = PackageFileOf(input.outputFolder, package);
    fs::create_directories(place / "a folder of the teacher's");
    fs::create_directories(input.outputFolder);
    WriteBytes(input.outputFolder / "notes.txt", "mine");
    prompts.said.clear();
    EXPECT_EQ(Convert(package), ConvertOutcome::Failed);
    ASSERT_FALSE(prompts.said.empty());
    EXPECT_NE(prompts.said.back().find("Помилка при конвертуванні !\nНе вдалося записати пакет \"" +
                                       place.string() + "\""),
              std::string::npos)
        << prompts.said.back();
    EXPECT_EQ(FolderContents(out.path()),
              (std::map<std::string, std::string>{{"Фізика/notes.txt", "mine"}}))
        << "no textbook, no package, no temporary file";
    EXPECT_TRUE(fs::is_directory(place / "a folder of the teacher's"));
    fs::remove_all(place);
  }
}

TEST_F(PackageTest, AnEpubBookFollowsTheMenuInUtf8WithItsMetadataAndAttachments) {
  input.encoding = OutputEncoding::Koi8r;
  input.titlePage = true;
  input.title.texts[Discipline] = W("Загальна фізика");
  input.title.texts[University] = W("Університет «Ґрона»");
  input.title.checked = true;
  input.title.picture = RecordPicture{std::string(BuiltInIconGif(BuiltInIcon::Home)), ".GIF"};
  input.authorPage = true;
  input.author.texts[Surname] = W("Їжакевич");
  input.author.texts[FirstName] = W("Євген");
  input.author.texts[Patronymic] = W("Іванович");
  ASSERT_EQ(Convert(TextbookPackage::Epub), ConvertOutcome::Done) << prompts.said.back();
  const fs::path book = out / "Фізика.epub";
  EXPECT_EQ(RunShell("unzip -tq '" + book.string() + "'").code, 0);
  const std::vector<ZipEntry> entries = ReadZip(book);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries[0].name, "mimetype");
  EXPECT_TRUE(entries[0].stored);

  const XmlDocument opf(ZipEntryBytes(entries, "OEBPS/content.opf"));
  ASSERT_NE(opf.doc, nullptr);
  EXPECT_EQ(opf.Select("//dc:title"), std::vector<std::string>{"Загальна фізика"});
  EXPECT_EQ(opf.Select("//dc:creator"), std::vector<std::string>{"Їжакевич Євген Іванович"});
  EXPECT_EQ(opf.Select("//dc:language"), std::vector<std::string>{"uk"});
  const std::vector<std::string> identifier = opf.Select("//dc:identifier");
  ASSERT_EQ(identifier.size(), 1u);
  EXPECT_EQ(identifier[0].rfind("urn:uuid:", 0), 0u);
  EXPECT_EQ(identifier[0].size(), 9u + 36u);
  ASSERT_EQ(opf.Select("//opf:meta[@property='dcterms:modified']").size(), 1u);
  EXPECT_EQ(opf.Select("//opf:meta[@property='dcterms:modified']")[0].size(), 20u);
  EXPECT_EQ(opf.Select("//opf:item[@properties='cover-image']/@href"),
            std::vector<std::string>{"img/logo.gif"});

  // The reading order: the title page, the pages in menu order, the author page; then the
  // attachments, outside it, each falling back to its page.
  std::vector<std::string> linear, attachments;
  for (const std::string& id : opf.Select("//opf:itemref[not(@linear)]/@idref"))
    linear.push_back(id);
  EXPECT_EQ(linear,
            (std::vector<std::string>{"title", "page1", "page2", "page3", "page4", "page5", "page6",
                                      "page7", "page8", "page9", "page10", "author"}));
  for (const std::string& id : opf.Select("//opf:itemref[@linear='no']/@idref")) {
    const std::vector<std::string> href = opf.Select("//opf:item[@id='" + id + "']/@href");
    attachments.push_back(href.empty() ? "?" : href[0]);
  }
  EXPECT_EQ(attachments,
            (std::vector<std::string>{"other/tabliczi.pdf", "other/karta.djvu", "other/oczinki.xls",
                                      "other/slajdi.ppt", "other/sxema.bmp"}));
  EXPECT_EQ(opf.Select("//opf:item[@href='other/tabliczi.pdf']/@fallback"),
            std::vector<std::string>{"page3"});

  // Text is UTF-8 although the folder is KOI8-U; the Word page keeps its picture.
  const std::string title = ZipEntryBytes(entries, "OEBPS/title.xhtml");
  EXPECT_NE(title.find("Університет «Ґрона»"), std::string::npos) << title;
  const XmlDocument page2(ZipEntryBytes(entries, "OEBPS/page2.xhtml"));
  ASSERT_NE(page2.doc, nullptr);
  const std::vector<std::string> pictures = page2.Select("//h:img/@src");
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_NE(ZipEntryBytes(entries, "OEBPS/" + pictures[0]), "<no entry>");
  // The video plays in its page with a text for readers without video.
  const XmlDocument video(ZipEntryBytes(entries, "OEBPS/page9.xhtml"));
  EXPECT_EQ(video.Select("//h:video/@src"), std::vector<std::string>{"other/doslid.mp4"});
  EXPECT_EQ(video.Select("//h:video/h:p").size(), 1u);

  // The navigation is the course tree with the Word page's table of contents under it.
  const XmlDocument nav(ZipEntryBytes(entries, "OEBPS/nav.xhtml"));
  const std::vector<std::string> links = nav.Select("//h:nav[@epub:type='toc']//h:a/@href");
  ASSERT_GE(links.size(), 4u);
  EXPECT_EQ(links[0], "title.xhtml");
  EXPECT_EQ(links[1], "page1.xhtml");
  EXPECT_EQ(links[2].rfind("page1.xhtml#", 0), 0u) << links[2];
  EXPECT_EQ(links.back(), "author.xhtml");
  EXPECT_EQ(nav.Select("//h:nav//h:li/h:span"), (std::vector<std::string>{"Механіка", "Додатки"}));
}

} // namespace
} // namespace quarbel
