// Generating a large course: 300 documents (PDFs, pictures and 30 Word documents through
// the real word processor), with the time outside the word processor reported apart; then
// courses of 300 and 3,000 non-Word documents, to see that the cost per document stays flat.
//
//   generate_bench PROGRAM_FOLDER WORK_FOLDER

#include "generator/generate_textbook.h"
#include "support/test_support.h"
#include "support/word_fixtures.h"
#include "text/cp1251.h"
#include "wordproc/libreoffice_word_processor.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

using namespace quarbel;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// Passes every call on and adds up the time spent in them.
class TimedWordProcessor : public WordProcessor {
public:
  explicit TimedWordProcessor(WordProcessor& inner) : inner_(inner) {}
  bool start() override {
    return Timed([&] { return inner_.start(); });
  }
  void open(const fs::path& d) override {
    Timed([&] {
      inner_.open(d);
      return true;
    });
  }
  void saveAsWebPage(const fs::path& p) override {
    Timed([&] {
      inner_.saveAsWebPage(p);
      return true;
    });
  }
  void close() override {
    Timed([&] {
      inner_.close();
      return true;
    });
  }
  void quit() override {
    Timed([&] {
      inner_.quit();
      return true;
    });
  }
  double seconds = 0;

private:
  template <typename F> bool Timed(F f) {
    const auto t = Clock::now();
    const bool result = f();
    seconds += Since(t);
    return result;
  }
  WordProcessor& inner_;
};

// A course of `count` documents in sections of ten; every `wordEvery`-th one is a .docx.
Outline MakeCourse(const fs::path& sources, int count, int wordEvery) {
  Outline outline;
  for (int i = 0; i < count; ++i) {
    if (i % 10 == 0)
      outline.push_back({0, Cp1251FromUtf8("Розділ ") + std::to_string(i / 10 + 1)});
    const bool word = wordEvery > 0 && i % wordEvery == 0;
    const char* ext = word ? ".docx" : (i % 2 ? ".pdf" : ".png");
    const fs::path file = sources / ("document " + std::to_string(i) + ext);
    outline.push_back(
        {1, Cp1251FromUtf8("Документ ") + std::to_string(i) + " [ " + file.string() + " ]"});
  }
  return outline;
}

GenerationInput Input(const fs::path& program, const fs::path& out, Outline outline) {
  GenerationInput input;
  input.programFolder = program;
  input.outputFolder = out;
  input.outline = std::move(outline);
  input.titlePage = true;
  return input;
}

double Generate(const GenerationInput& input, WordProcessor& word) {
  fs::remove_all(input.outputFolder);
  const auto t = Clock::now();
  TextbookFolder folder(input.outputFolder);
  folder.Prepare();
  testing::SilentProgress progress;
  GenerateTextbook(input, folder, word, progress);
  return Since(t);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: generate_bench PROGRAM_FOLDER WORK_FOLDER\n");
    return 2;
  }
  const fs::path program = argv[1];
  const fs::path work = fs::absolute(argv[2]);
  const fs::path sources = work / "sources";
  fs::create_directories(sources);
  std::ifstream png(program / "Icons" / "Software" / "PDF.PNG", std::ios::binary);
  const std::string picture(std::istreambuf_iterator<char>(png), {});
  testing::WordFixture fixture;
  fixture.pictureBytes = picture;
  const std::string docx = testing::MakeDocx(fixture);
  const std::string pdf = "%PDF-1.4\n" + std::string(200000, 'x');
  for (int i = 0; i < 3000; ++i) {
    testing::WriteBytes(sources / ("document " + std::to_string(i) + ".pdf"), pdf);
    testing::WriteBytes(sources / ("document " + std::to_string(i) + ".png"), picture);
    if (i % 10 == 0)
      testing::WriteBytes(sources / ("document " + std::to_string(i) + ".docx"), docx);
  }

  HelperOptions options;
  options.helper = program / "quarbel-wordproc";
  options.profiles = work / "profiles";
  LibreOfficeWordProcessor libreOffice(options);
  TimedWordProcessor word(libreOffice);
  const double whole = Generate(Input(program, work / "mixed", MakeCourse(sources, 300, 10)), word);
  const double outside = whole - word.seconds;
  std::printf("300 documents, 30 of them Word:        %8.2f s\n", whole);
  std::printf("  in the word processor                %8.2f s\n", word.seconds);
  std::printf("  outside the word processor           %8.3f s = %.1f %% (target under 5 %%)\n",
              outside, 100 * outside / whole);

  double perDocument[2];
  const int sizes[2] = {300, 3000};
  for (int k = 0; k < 2; ++k) {
    TimedWordProcessor none(libreOffice);
    const double seconds =
        Generate(Input(program, work / "flat", MakeCourse(sources, sizes[k], 0)), none);
    perDocument[k] = seconds / sizes[k];
    std::printf("%5d non-Word documents:               %8.3f s, %.3f ms a document\n", sizes[k],
                seconds, 1000 * perDocument[k]);
  }
  std::printf("cost per document, 3000 against 300:    %8.2f (1.0 is linear)\n",
              perDocument[1] / perDocument[0]);
  return 0;
}
