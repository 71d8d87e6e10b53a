// Word documents into pages: our helper, kept for the whole walk, against one
// `soffice --headless --convert-to html` process per document, on the same 20 documents.
// Also the share of the page normaliser and its file work in the helper's time.
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
  return 0;
}
