// The modern textbook's search on a generated textbook of 3,000 pages of about 2 KB of text
// each: the size of the search data, the time to load it and build the index in the browser
// engine, and the time of a query once it is built.
//
//   search_bench PROGRAM_FOLDER WORK_FOLDER

#include "generator/generate_textbook.h"
#include "support/test_support.h"
#include "text/cp1251.h"
#include "text/file_bytes.h"
#include "text/json_text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using namespace quarbel;
namespace fs = std::filesystem;

constexpr int kPages = 3000;

const char* const kWords[] = {
    "механіка",    "механіки", "енергія",    "енергії", "закон",       "закони",      "руху",
    "сила",        "сили",     "маса",       "тіла",    "швидкість",   "прискорення", "робота",
    "потужність",  "імпульс",  "коливання",  "хвиля",   "частота",     "період",      "тиск",
    "температура", "теплота",  "заряд",      "струм",   "напруга",     "опір",        "поле",
    "магнітне",    "світло",   "лінза",      "промінь", "атом",        "ядро",        "п’ять",
    "дослід",      "формула",  "рівняння",   "задача",  "відповідь",   "приклад",     "система",
    "координат",   "відліку",  "траєкторія", "шлях",    "переміщення", "гравітація",  "вага"};

// A word processor that writes a lecture page of about 2 KB of words for every document.
class LecturePages : public WordProcessor {
public:
  bool start() override { return true; }
  void open(const fs::path& document) override {
    seed_ = std::hash<std::string>()(document.string());
  }
  void saveAsWebPage(const fs::path& page) override {
    std::string text = "<html>\r\n<head>\r\n<meta http-equiv=Content-Type content=\"text/html; "
                       "charset=windows-1251\">\r\n<title>x</title>\r\n</head>\r\n<body>\r\n";
    for (int paragraph = 0; paragraph < 8; ++paragraph) {
      text += "<p class=MsoNormal>";
      for (int word = 0; word < 30; ++word) {
        seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
        text += Cp1251FromUtf8WithReferences(kWords[(seed_ >> 33) % std::size(kWords)]) + " ";
      }
      text += "</p>\r\n";
    }
    testing::WriteBytes(page, text + "</body>\r\n</html>\r\n");
  }
  void close() override {}
  void quit() override {}

private:
  std::uint64_t seed_ = 0;
};

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: search_bench PROGRAM_FOLDER WORK_FOLDER\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QApplication app(argc, argv);
  const fs::path work = fs::absolute(argv[2]) / "search";
  fs::remove_all(work);
  fs::create_directories(work / "documents");

  GenerationInput input;
  input.programFolder = fs::absolute(argv[1]);
  input.outputFolder = work / "book";
  input.layout = TextbookLayout::Modern;
  for (int i = 0; i < kPages; ++i) {
    if (i % 30 == 0)
      input.outline.push_back({0, Cp1251FromUtf8("Розділ ") + std::to_string(i / 30 + 1)});
    const fs::path file = work / "documents" / ("lecture " + std::to_string(i + 1) + ".docx");
    testing::WriteBytes(file, "x");
    input.outline.push_back(
        {1, Cp1251FromUtf8("Лекція ") + std::to_string(i + 1) + " [ " + file.string() + " ]"});
  }
  const auto started = std::chrono::steady_clock::now();
  TextbookFolder folder(input.outputFolder);
  folder.Prepare();
  LecturePages word;
  testing::SilentProgress progress;
  GenerateTextbook(input, folder, word, progress);
  const double generation =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("A modern textbook of %d pages of about 2 KB of text\n\n", kPages);
  std::printf("  written in                      %7.2f s\n", generation);
  std::printf("  search data (assets/search.js)  %7.2f MB\n",
              fs::file_size(input.outputFolder / "assets" / "search.js") / 1048576.0);
  std::printf("  menu data (assets/menu.js)      %7.2f MB\n",
              fs::file_size(input.outputFolder / "assets" / "menu.js") / 1048576.0);

  QWebEngineView view;
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(1366, 768);
  view.show();
  const auto js = [&](const QString& script) {
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant& value) {
      result = value;
      done = true;
    });
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < 60000)
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    return result;
  };
  bool loaded = false;
  QObject::connect(&view, &QWebEngineView::loadFinished, [&] { loaded = true; });
  view.load(
      QUrl::fromLocalFile(QString::fromStdString((input.outputFolder / "page1.html").string())));
  QElapsedTimer timer;
  timer.start();
  while (!loaded && timer.elapsed() < 60000)
    QApplication::processEvents(QEventLoop::AllEvents, 5);

  // One query: the first one loads the data and builds the index.
  const auto query = [&](const QString& words) {
    js(QString("performance.clearMeasures('quarbel-query');"
               "var s = document.getElementById('search'); s.focus(); s.value = %1;"
               "s.dispatchEvent(new Event('input', {bubbles: true}));")
           .arg(QString::fromStdString(JsonString(words.toStdString()))));
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 120000 &&
           js("performance.getEntriesByName('quarbel-query').length").toInt() == 0)
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    return js("performance.getEntriesByName('quarbel-query')[0].duration").toDouble();
  };
  query(QStringLiteral("механік"));
  const double load = js("performance.getEntriesByName('quarbel-load')[0].duration").toDouble();
  const double index = js("performance.getEntriesByName('quarbel-index')[0].duration").toDouble();
  std::printf("  data loaded in the page         %7.0f ms\n", load);
  std::printf("  index built                     %7.0f ms\n", index);
  std::vector<double> times;
  for (const QString& words :
       {QStringLiteral("механік"), QStringLiteral("енерг"), QStringLiteral("закон рух"),
        QStringLiteral("п'ять"), QStringLiteral("с"), QStringLiteral("коливання хвиля"),
        QStringLiteral("прискорення"), QStringLiteral("те")})
    times.push_back(query(words));
  std::sort(times.begin(), times.end());
  std::printf("  a query, once built (median)    %7.1f ms   (slowest %.1f ms, %zu queries)\n",
              times[times.size() / 2], times.back(), times.size());
  fs::remove_all(work);
  return 0;
}
