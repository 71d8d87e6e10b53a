// quarbel-convert: converts a course structure file into an electronic textbook, for
// scripts and batch use. See Usage() below.

#include "generator/convert_command.h"
#include "generator/generation_input.h"
#include "pictures/picture_format.h"
#include "records/record_file.h"
#include "settings/program_folders.h"
#include "structure/structure_file.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "wordproc/libreoffice_word_processor.h"
#include "wordproc/word_running.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace quarbel;
namespace fs = std::filesystem;

const char* const kUsage =
    "Використання: quarbel-convert [параметри] СТРУКТУРА.QCT ПАПКА_ПОСІБНИКА\n"
    "\n"
    "Перетворює структуру курсу на електронний посібник у вказаній папці.\n"
    "\n"
    "  --encoding 1251|KOI8|UTF8   кодування сторінок (типово 1251)\n"
    "  --layout classic|modern     вигляд посібника: класичний (рамки з меню, типово) або\n"
    "                              сучасний (окремі сторінки для телефонів, з пошуком)\n"
    "  --package scorm|epub        ще й пакет поряд із папкою: ПАПКА_ПОСІБНИКА.zip (SCORM 1.2\n"
    "                              для навчальної платформи, як-от Moodle) або\n"
    "                              ПАПКА_ПОСІБНИКА.epub (EPUB 3 для програм читання)\n"
    "  --style ФАЙЛ.css            файл стилю (типово Styles/Default.css папки програми)\n"
    "  --default-style             стиль за замовчуванням із трьома кольорами замість файлу стилю\n"
    "  --menu-color RRGGBB         фон меню (типово f2ffbf); можна й #RRGGBB\n"
    "  --page-color RRGGBB         фон документа (типово f2ffbf)\n"
    "  --rule-color RRGGBB         колір лінії титульної сторінки (типово ffffbe)\n"
    "  --no-navigation             без посилань назад/вперед\n"
    "  --title ЗАПИС.QCD           титульна сторінка з файлу запису\n"
    "  --author ЗАПИС.QCD          сторінка автора з файлу запису\n"
    "  --icon НАЗВА=МАЛЮНОК        НАЗВА: home, previous, forward, minus або plus;\n"
    "                              МАЛЮНОК: файл GIF, PNG, JPEG або BMP\n"
    "  --memory-limit МБ           пам'ять текстового процесора (типово половина пам'яті\n"
    "                              комп'ютера, від 1024 до 4096 МБ)\n"
    "  --time-limit С              час на один документ Word (типово 120 с)\n"
    "  --jobs N                    скільки документів Word перетворювати водночас (типово\n"
    "                              за числом ядер процесора, не більше 4)\n"
    "  --cache-size МБ             розмір кешу сторінок (типово 1024 МБ)\n"
    "  --no-cache                  не брати сторінки з кешу і не зберігати їх туди\n"
    "  --yes                       відповідати «Так» на запитання про відсутні документи\n"
    "                              та документи з однаковими іменами\n"
    "  --help                      ця довідка\n"
    "\n"
    "Успіх: шлях до index.html (і до пакета) у стандартний вивід, код 0. Відмова або помилка: код "
    "1.\n"
    "Помилка у параметрах: код 2.\n";

struct UsageError {
  std::string text; // UTF-8
};

// A whole number of at least `least` for an option.
size_t ParseCount(const std::string& text, const std::string& option, size_t least) {
  if (text.empty() || text.size() > 9 ||
      text.find_first_not_of("0123456789") != std::string::npos || std::stoul(text) < least)
    throw UsageError{option + ": очікується ціле число, не менше " + std::to_string(least)};
  return std::stoul(text);
}

// Messages go to the standard error stream as UTF-8; questions take the --yes answer.
class TerminalPrompts : public Prompts {
public:
  TerminalPrompts(bool yes, fs::path folder) : yes_(yes), folder_(std::move(folder)) {}

  void Warning(const std::string& text) override { Say(text); }
  void ReportError(const std::string& text) override { Say(text); }
  void Information(const std::string& text) override { Say(text); }
  // There is no browser to open from the terminal.
  bool InformationWithOffer(const std::string& text, const std::string&) override {
    Say(text);
    return false;
  }
  bool AskYesNo(const std::string& text) override {
    Say(text);
    std::cerr << (yes_ ? "--yes: Так\n" : "Ні (щоб продовжити, додайте --yes)\n");
    return yes_;
  }
  Answer AskYesNoCancel(const std::string& text) override {
    return AskYesNo(text) ? Answer::Yes : Answer::No;
  }
  std::optional<fs::path> ChooseFolder(const std::string&) override { return folder_; }
  // The converter names its files on the command line; it never asks for one.
  std::optional<fs::path> ChooseOpenFile(const std::string&) override { return std::nullopt; }
  std::vector<fs::path> ChooseOpenFiles(const std::string&) override { return {}; }
  std::optional<fs::path> ChooseSaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<ChosenFile> ChooseSaveFileWithFilter(const std::string&) override {
    return std::nullopt;
  }
  std::optional<RgbColor> ChooseColour(RgbColor) override { return std::nullopt; }
  std::optional<FontChoice> ChooseFont(const FontChoice&) override { return std::nullopt; }

private:
  void Say(const std::string& text) {
    EndProgressLine();
    std::cerr << Utf8FromCp1251(text) << "\n";
  }
  static void EndProgressLine() {
    if (::isatty(2))
      std::cerr << "\r\033[K";
  }
  bool yes_;
  fs::path folder_;
};

// A progress bar on the terminal, when the standard error stream is one.
class TerminalProgress : public ProgressSink {
public:
  TerminalProgress() : terminal_(::isatty(2) != 0) {}
  void SetMaximum(int maximum) override { maximum_ = maximum; }
  void SetPosition(int position) override {
    position_ = position;
    Draw();
  }
  void ProcessEvents() override {}
  void Close() override {
    if (terminal_)
      std::cerr << "\r\033[K" << std::flush;
  }

private:
  void Draw() {
    if (!terminal_ || maximum_ <= 0)
      return;
    const int width = 40;
    const int filled = std::min(width, width * position_ / (maximum_ + 1));
    std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, '.') << "] "
              << position_ << "/" << maximum_ + 1 << std::flush;
  }
  bool terminal_;
  int maximum_ = 0;
  int position_ = 0;
};

std::string Text1251(const std::string& utf8, const char* what) {
  if (auto text = TryCp1251FromUtf8(utf8))
    return *text;
  throw UsageError{std::string(what) +
                   " містить символи, яких немає в кодуванні Windows-1251: " + utf8};
}

RgbColor ParseColour(std::string text, const std::string& option) {
  if (!text.empty() && text[0] == '#')
    text.erase(0, 1);
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    throw UsageError{option + ": очікується колір RRGGBB, а не \"" + text + "\""};
  const auto byte = [&](int i) {
    return static_cast<std::uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16));
  };
  return {byte(0), byte(2), byte(4)};
}

int Run(int argc, char** argv) {
  const ProgramFolders folders = FindProgramFolders(ExecutableFolder());
  GenerationInput input;
  input.programFolder = folders.data;
  input.styleFile =
      Text1251((folders.data / "Styles" / "Default.css").string(), "Шлях до папки програми");
  bool yes = false;
  std::vector<std::string> positional;
  std::optional<fs::path> titleRecord, authorRecord;
  size_t memoryLimitMB = 0;
  size_t timeLimit = 0;
  int jobs = DefaultWordPageJobs();
  size_t cacheMB = 1024;
  bool useCache = true;

  const std::map<std::string, IconSlot> icons = {{"home", HomeIcon},
                                                 {"previous", PreviousIcon},
                                                 {"forward", ForwardIcon},
                                                 {"minus", MinusIcon},
                                                 {"plus", PlusIcon}};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc)
        throw UsageError{arg + ": бракує значення"};
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--encoding") {
      const auto encoding = ParseOutputEncoding(value());
      if (!encoding)
        throw UsageError{"--encoding: очікується 1251, KOI8 або UTF8"};
      input.encoding = *encoding;
    } else if (arg == "--layout") {
      const auto layout = ParseTextbookLayout(value());
      if (!layout)
        throw UsageError{"--layout: очікується classic або modern"};
      input.layout = *layout;
    } else if (arg == "--package") {
      const auto package = ParseTextbookPackage(value());
      if (!package)
        throw UsageError{"--package: очікується scorm або epub"};
      input.package = *package;
    } else if (arg == "--style") {
      input.styleFile = Text1251(fs::absolute(value()).string(), "Шлях до файлу стилю");
    } else if (arg == "--default-style") {
      input.styleFile.clear();
    } else if (arg == "--menu-color") {
      input.menuColour = ParseColour(value(), arg);
    } else if (arg == "--page-color") {
      input.pageColour = ParseColour(value(), arg);
    } else if (arg == "--rule-color") {
      input.ruleColour = ParseColour(value(), arg);
    } else if (arg == "--no-navigation") {
      input.navigation = false;
    } else if (arg == "--title") {
      titleRecord = value();
    } else if (arg == "--author") {
      authorRecord = value();
    } else if (arg == "--icon") {
      const std::string assignment = value();
      const size_t eq = assignment.find('=');
      const auto slot = icons.find(assignment.substr(0, eq));
      if (eq == std::string::npos || slot == icons.end())
        throw UsageError{
            "--icon: очікується НАЗВА=МАЛЮНОК, НАЗВА одна з home, previous, forward, minus, plus"};
      const fs::path picture = assignment.substr(eq + 1);
      std::string bytes = ReadFileBytes(picture);
      if (!PictureFormatOf(bytes))
        throw UsageError{"--icon: " +
                         Utf8FromCp1251(NotAnIconPictureText(PathForMessage(picture)))};
      input.icons[slot->second] = {std::move(bytes), picture.extension().string()};
    } else if (arg == "--memory-limit") {
      memoryLimitMB = ParseCount(value(), arg, 256);
    } else if (arg == "--time-limit") {
      timeLimit = ParseCount(value(), arg, 1);
    } else if (arg == "--jobs") {
      jobs = static_cast<int>(std::min<size_t>(ParseCount(value(), arg, 1), 16));
    } else if (arg == "--cache-size") {
      cacheMB = ParseCount(value(), arg, 1);
    } else if (arg == "--no-cache") {
      useCache = false;
    } else if (arg == "--yes") {
      yes = true;
    } else if (arg.rfind("--", 0) == 0) {
      throw UsageError{"невідомий параметр " + arg};
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2)
    throw UsageError{"потрібні два аргументи: файл структури і папка посібника"};
  if (!input.styleFile.empty() && !fs::is_regular_file(FsPath(input.styleFile)))
    throw UsageError{"файл стилю не знайдено: " + Utf8FromCp1251(input.styleFile)};

  input.outline = ReadStructureFile(positional[0]);
  if (titleRecord) {
    input.title = OpenRecordFile(*titleRecord, RecordKind::TitlePage);
    input.titlePage = true;
  }
  if (authorRecord) {
    input.author = OpenRecordFile(*authorRecord, RecordKind::Author);
    input.authorPage = true;
  }

  const fs::path output = fs::absolute(positional[1]);
  TerminalPrompts prompts(yes, output);
  TerminalProgress progress;
  HelperOptions helper;
  helper.helper = folders.helper;
  helper.memoryLimitMB = memoryLimitMB;
  if (timeLimit > 0)
    helper.callLimit = std::chrono::seconds(timeLimit);
  WordPageOptions word;
  word.factory = [helper] { return std::make_unique<LibreOfficeWordProcessor>(helper); };
  word.jobs = jobs;
  std::optional<PageCache> cache;
  if (useCache) {
    cache.emplace(PageCache::DefaultFolder(), static_cast<std::uint64_t>(cacheMB) << 20);
    word.cache = &*cache;
    word.version = WordPageVersion(helper.helper);
  }
  const ConvertOutcome outcome =
      ConvertCourse(input, prompts, word, progress, [] { return IsWordRunning(); });
  if (outcome != ConvertOutcome::Done)
    return 1;
  std::cout << (output / "index.html").string() << "\n";
  if (input.package != TextbookPackage::None)
    std::cout << PackageFileOf(output, input.package).string() << "\n";
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  // A file size limit must not end the converter midway through a write: the write fails
  // and is reported as any other.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return Run(argc, argv);
  } catch (const UsageError& e) {
    std::cerr << "quarbel-convert: " << e.text << "\n\n" << kUsage;
    return 2;
  } catch (const Error& e) {
    std::cerr << Utf8FromCp1251(e.text()) << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "quarbel-convert: " << e.what() << "\n";
    return 1;
  }
}
