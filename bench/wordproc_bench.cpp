// Word documents into pages: our helper, kept for the whole walk, against one
// `soffice --headless --convert-to html` process per document, on the same 20 documents.
// Also the share of the page normaliser and its file work in the helper's time, and the same
// on a mixed set of documents as teachers' documents come (comments and tracked changes,
// tables and pictures, tables of contents under their title, text boxes, footnotes).
//
//   wordproc_bench PROGRAM_FOLDER WORK_FOLDER

#include "support/test_support.h"
#include "support/word_fixtures.h"
#include "text/file_bytes.h"
#include "wordproc/libreoffice_word_processor.h"
#include "wordproc/page_normaliser.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using quarbel::testing::WriteBytes;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

constexpr int kDocuments = 20;

// Each kind of document of the mixed set, a few of each, through one helper; then the
// normaliser alone on LibreOffice's export of each kind.
bool MixedSet(const fs::path& program, const fs::path& work, std::ifstream& png) {
  using quarbel::testing::WordFixture;
  constexpr int kEach = 4;
  png.clear();
  png.seekg(0);
  WordFixture pictures;
  pictures.pictureBytes.assign(std::istreambuf_iterator<char>(png), {});
  WordFixture reviewed;
  reviewed.reviewerComment = true;
  reviewed.trackedChanges = true;
  WordFixture older;
  older.titleAboveContents = true;
  older.contentsHyperlinks = false;
  older.textBox = true;
  WordFixture plain;
  plain.tableOfContents = false;
  struct Kind {
    const char* name;
    WordFixture fixture;
  } kinds[] = {
      {"tables, picture, footnote, TOC", pictures},
      {"comment and tracked changes", reviewed},
      {"TOC under its title, no links", older},
      {"text only, no TOC", plain},
  };

  const fs::path folder = work / "mixed";
  fs::remove_all(folder);
  fs::create_directories(folder / "pages");
  const std::string sofficeBase =
      "soffice --headless -env:UserInstallation=file://" + (work / "profiles" / "soffice").string();
  quarbel::HelperOptions options;
  options.helper = program / "quarbel-wordproc";
  options.profiles = work / "profiles" / "helper";
  quarbel::LibreOfficeWordProcessor word(options);
  if (!word.start())
    return false;

  std::printf("\nmixed set, %d documents of each kind        helper    normaliser  share\n", kEach);
  double allHelper = 0, allNormaliser = 0;
  int page = 0;
  for (Kind& kind : kinds) {
    std::vector<fs::path> documents;
    for (int i = 1; i <= kEach; ++i) {
      kind.fixture.extraText = "Документ номер " + std::to_string(i) + ".";
      documents.push_back(folder / (std::to_string(page + i) + ".docx"));
      WriteBytes(documents.back(), quarbel::testing::MakeDocx(kind.fixture));
    }
    auto t = Clock::now();
    for (const fs::path& document : documents) {
      word.open(document);
      word.saveAsWebPage(folder / "pages" / ("page" + std::to_string(++page) + ".html"));
      word.close();
    }
    const double helper = Seconds(t) / kEach;

    // LibreOffice's own export of one of them, normalised as the helper's client does.
    std::system((sofficeBase + " --convert-to html --outdir '" + folder.string() + "' '" +
                 documents[0].string() + "' >/dev/null 2>&1")
                    .c_str());
    const std::string raw =
        quarbel::ReadFileBytes(fs::path(documents[0]).replace_extension(".html"));
    t = Clock::now();
    for (int i = 0; i < kDocuments; ++i)
      quarbel::NormaliseWebPage(raw);
    const double normaliser = Seconds(t) / kDocuments;
    std::printf("  %-40s %8.1f ms %8.2f ms %6.1f %%\n", kind.name, helper * 1000, normaliser * 1000,
                100 * normaliser / helper);
    allHelper += helper;
    allNormaliser += normaliser;
  }
  word.quit();
  std::printf("  %-40s %8.1f ms %8.2f ms %6.1f %%\n", "all kinds",
              allHelper * 1000 / std::size(kinds), allNormaliser * 1000 / std::size(kinds),
              100 * allNormaliser / allHelper);
  return true;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: wordproc_bench PROGRAM_FOLDER WORK_FOLDER\n");
    return 2;
  }
  const fs::path program = argv[1];
  const fs::path work = fs::absolute(argv[2]);
  fs::remove_all(work / "documents");
  fs::remove_all(work / "helper");
  fs::remove_all(work / "soffice");
  for (const char* folder : {"documents", "helper", "soffice", "profiles"})
    fs::create_directories(work / folder);

  std::ifstream png(program / "Icons" / "Software" / "PDF.PNG", std::ios::binary);
  quarbel::testing::WordFixture fixture;
  fixture.pictureBytes.assign(std::istreambuf_iterator<char>(png), {});
  std::vector<fs::path> documents;
  for (int i = 1; i <= kDocuments; ++i) {
    fixture.extraText = "Документ номер " + std::to_string(i) + ".";
    documents.push_back(work / "documents" / ("lecture" + std::to_string(i) + ".docx"));
    WriteBytes(documents.back(), quarbel::testing::MakeDocx(fixture));
  }

  // Our helper: one start, then every document.
  quarbel::HelperOptions options;
  options.helper = program / "quarbel-wordproc";
  options.profiles = work / "profiles" / "helper";
  double helperStart = 0, helperDocuments = 0;
  {
    quarbel::LibreOfficeWordProcessor word(options);
    auto t = Clock::now();
    if (!word.start()) {
      std::fprintf(stderr, "LibreOffice is not installed\n");
      return 1;
    }
    helperStart = Seconds(t);
    t = Clock::now();
    for (int i = 0; i < kDocuments; ++i) {
      word.open(documents[i]);
      word.saveAsWebPage(work / "helper" / ("page" + std::to_string(i + 1) + ".html"));
      word.close();
    }
    helperDocuments = Seconds(t);
    word.quit();
  }

  // The normaliser with its reading and writing, on LibreOffice's export of the same document.
  const fs::path raw = work / "soffice" / "raw.html";
  const std::string sofficeBase =
      "soffice --headless -env:UserInstallation=file://" + (work / "profiles" / "soffice").string();
  // One conversion first, so that soffice runs with a made profile as the helper does.
  std::system((sofficeBase + " --convert-to html --outdir '" + (work / "soffice").string() + "' '" +
               documents[0].string() + "' >/dev/null 2>&1")
                  .c_str());
  fs::rename(work / "soffice" / "lecture1.html", raw);
  const std::string rawBytes = quarbel::ReadFileBytes(raw);
  auto t = Clock::now();
  for (int i = 0; i < kDocuments; ++i) {
    const fs::path page = work / "soffice" / "normalised.html";
    WriteBytes(page, rawBytes); // stands for the export the helper leaves
    quarbel::ReplaceFileBytes(page, quarbel::NormaliseWebPage(quarbel::ReadFileBytes(page)));
  }
  const double normaliser = Seconds(t) / kDocuments;

  // One soffice process per document.
  t = Clock::now();
  for (int i = 0; i < kDocuments; ++i) {
    const std::string command = sofficeBase + " --convert-to html --outdir '" +
                                (work / "soffice").string() + "' '" + documents[i].string() +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "soffice failed: %s\n", command.c_str());
      return 1;
    }
  }
  const double soffice = Seconds(t) / kDocuments;

  const double helperEach = helperDocuments / kDocuments;
  const double helperAmortised = (helperStart + helperDocuments) / kDocuments;
  const double libreOffice = helperEach - normaliser;
  std::printf("documents                                   %d\n", kDocuments);
  std::printf("helper start                                %8.1f ms\n", helperStart * 1000);
  std::printf("helper per document                         %8.1f ms\n", helperEach * 1000);
  std::printf("helper per document, start included         %8.1f ms\n", helperAmortised * 1000);
  std::printf("soffice process per document                %8.1f ms\n", soffice * 1000);
  std::printf("speed-up, start included                    %8.1f x (target 10 x)\n",
              soffice / helperAmortised);
  std::printf("normaliser and file work per document       %8.2f ms\n", normaliser * 1000);
  std::printf("LibreOffice load and export per document    %8.1f ms\n", libreOffice * 1000);
  std::printf("normaliser share of LibreOffice's time      %8.1f %% (target under 10 %%)\n",
              100 * normaliser / libreOffice);
  return MixedSet(program, work, png) ? 0 : 1;
}
