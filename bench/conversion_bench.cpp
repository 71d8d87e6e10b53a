// Converting a course of 40 Word documents through the real word processor, the way a
// teacher converts it again and again:
//
//   one helper against two helpers side by side (no page cache);
//   a first conversion against a second one of the unchanged course (the page cache);
//   a first conversion against one after a single document changed, with the helper
//   started on demand (as the converter does) and with one waiting (as the window keeps).
//
//   conversion_bench PROGRAM_FOLDER WORK_FOLDER

#include "generator/generate_textbook.h"
#include "generator/helper_reserve.h"
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

constexpr int kDocuments = 40;

double Convert(const GenerationInput& input, const WordPageOptions& options) {
  fs::remove_all(input.outputFolder);
  const auto start = Clock::now();
  TextbookFolder folder(input.outputFolder);
  folder.Prepare();
  testing::SilentProgress progress;
  if (GenerateTextbook(input, folder, options, progress) != GenerationResult::Done) {
    std::fprintf(stderr, "the word processor is missing\n");
    std::exit(1);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: conversion_bench PROGRAM_FOLDER WORK_FOLDER\n");
    return 2;
  }
  const fs::path program = fs::absolute(argv[1]);
  const fs::path work = fs::absolute(argv[2]) / "conversion";
  const fs::path sources = work / "documents";
  fs::remove_all(work);
  fs::create_directories(sources);

  std::ifstream png(program / "Icons" / "Software" / "PDF.PNG", std::ios::binary);
  testing::WordFixture fixture;
  fixture.pictureBytes.assign(std::istreambuf_iterator<char>(png), {});
  fixture.bodyParagraphs = 100; // a lecture of about ten pages
  GenerationInput input;
  input.programFolder = program;
  input.outputFolder = work / "book";
  for (int i = 0; i < kDocuments; ++i) {
    fixture.extraText = "Лекція " + std::to_string(i + 1);
    const fs::path file = sources / ("lecture " + std::to_string(i + 1) + ".docx");
    testing::WriteBytes(file, testing::MakeDocx(fixture));
    input.outline.push_back({0, Cp1251FromUtf8(fixture.extraText) + " [ " + file.string() + " ]"});
  }

  HelperOptions helper;
  helper.helper = program / "quarbel-wordproc";
  helper.profiles = work.parent_path() / "conversion-profiles";
  WordPageOptions options;
  options.factory = [helper] { return std::make_unique<LibreOfficeWordProcessor>(helper); };
  options.version = WordPageVersion(helper.helper);

  // Every profile a run may use is made once before anything is timed.
  options.jobs = 2;
  GenerationInput warmUp = input;
  warmUp.outline.resize(2);
  Convert(warmUp, options);

  std::printf("Converting %d Word documents of about ten pages (each with a table of contents, a "
              "table, a footnote and a picture)\n\n",
              kDocuments);
  options.jobs = 1;
  const double one = Convert(input, options);
  options.jobs = 2;
  const double two = Convert(input, options);
  std::printf("  one helper                     %7.2f s\n", one);
  std::printf("  two helpers side by side       %7.2f s   %.2fx faster\n\n", two, one / two);

  const PageCache cache(work / "cache", PageCache::kDefaultLimit);
  options.cache = &cache;
  const double first = Convert(input, options);
  const double second = Convert(input, options);
  std::printf("  first conversion (2 helpers)   %7.2f s\n", first);
  std::printf("  second, nothing changed        %7.3f s   %.0fx faster\n", second, first / second);

  fixture.extraText = "Лекція 7, виправлена";
  testing::WriteBytes(sources / "lecture 7.docx", testing::MakeDocx(fixture));
  const double changed = Convert(input, options);
  std::printf("  one document changed           %7.3f s   %.1fx faster (the helper starts on "
              "demand)\n",
              changed, first / changed);

  fixture.extraText = "Лекція 8, виправлена";
  testing::WriteBytes(sources / "lecture 8.docx", testing::MakeDocx(fixture));
  // The window starts its helper while the teacher edits; here the start is waited for
  // before the clock runs.
  HelperReserve reserve(options.factory);
  reserve.Want();
  std::unique_ptr<WordProcessor> waiting = reserve.Take();
  WordPageOptions warm = options;
  warm.factory = [&waiting, &options]() -> std::unique_ptr<WordProcessor> {
    if (waiting)
      return std::move(waiting);
    return options.factory();
  };
  const double warmChanged = Convert(input, warm);
  std::printf("  one document changed           %7.3f s   %.1fx faster (a helper already "
              "waiting)\n",
              warmChanged, first / warmChanged);
  fs::remove_all(work);
  return 0;
}
