// The SCORM package in a real browser engine with a stand-in learning platform: a page that
// offers the eight SCORM 1.2 calls as window.API, records every call and keeps the student's
// data, and launches the package's launch page in a frame, as a platform does.
#include "browser/page_script.h"
#include "generator/convert_command.h"
#include "generator/fake_word_processor.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "support/zip_reading.h"

#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest/QtTest>

namespace {

using namespace quarbel;
using namespace quarbel::testing;
namespace fs = std::filesystem;

const char* const kPlatform = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Платформа</title>
<script>
window.calls = [];
window.store = {'cmi.core.lesson_status': 'not attempted'};
function record(name, args, result) {
  calls.push(name + '(' + args.join(', ') + ')');
  return result;
}
window.API = {
  LMSInitialize: function (a) { return record('LMSInitialize', [a], 'true'); },
  LMSFinish: function (a) { return record('LMSFinish', [a], 'true'); },
  LMSGetValue: function (k) {
    return record('LMSGetValue', [k], k in store ? store[k] : '');
  },
  LMSSetValue: function (k, v) { store[k] = String(v); return record('LMSSetValue', [k, v], 'true'); },
  LMSCommit: function (a) { return record('LMSCommit', [a], 'true'); },
  LMSGetLastError: function () { return record('LMSGetLastError', [], '0'); },
  LMSGetErrorString: function (c) { return record('LMSGetErrorString', [c], 'No error'); },
  LMSGetDiagnostic: function (c) { return record('LMSGetDiagnostic', [c], ''); }
};
function launch() {
  var frame = document.createElement('iframe');
  frame.id = 'sco';
  frame.style.width = '1000px';
  frame.style.height = '700px';
  frame.src = 'package/scorm.html';
  document.body.appendChild(frame);
}
function leave() { document.getElementById('sco').remove(); }
// The page the student sees: the textbook's page frame in the classic look, else the
// textbook itself.
function shown() {
  var textbook = document.getElementById('sco').contentWindow.document
                     .getElementById('textbook').contentWindow;
  var frame = textbook.document.getElementsByName('mainFrame')[0];
  return frame ? frame.contentWindow : textbook;
}
function shownName() {
  try { return shown().location.pathname.split('/').pop(); } catch (e) { return ''; }
}
function follow(name) {
  var links = shown().document.querySelectorAll('a');
  for (var i = 0; i < links.length; i++)
    if (links[i].getAttribute('href') === name) { links[i].click(); return true; }
  return false;
}
</script></head><body></body></html>
)";

// Console messages of the pages, so a test can see that nothing went wrong.
class RecordingPage : public QWebEnginePage {
public:
  using QWebEnginePage::QWebEnginePage;
  QStringList errors;

protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString& source) override {
    if (level == ErrorMessageLevel)
      errors << QString("%1:%2: %3").arg(source).arg(line).arg(message);
  }
};

class ScormPackageInBrowser : public QObject {
  Q_OBJECT

private:
  TempDir dir;
  std::unique_ptr<QWebEngineView> view;
  RecordingPage* page = nullptr;

  QVariant Js(const QString& script) { return RunPageScript(view->page(), script); }
  QStringList Calls() { return Js("calls").toStringList(); }
  QString Stored(const char* name) { return Js(QString("store['%1'] || ''").arg(name)).toString(); }

  // Converts the course in the look and unpacks its SCORM package beside a platform page.
  fs::path Platform(TextbookLayout layout) {
    const fs::path sources = dir / "sources";
    fs::create_directories(sources);
    for (const char* name : {"toc lecture.docx", "Конспект.pdf", "Фото.png"})
      WriteBytes(sources / name, "content");
    const auto doc = [&](const char* title, const char* name) {
      return W(title) + " [ " + W((sources / name).string()) + " ]";
    };
    const fs::path root = dir / TextbookLayoutName(layout);
    GenerationInput input;
    input.programFolder = QUARBEL_PROGRAM_DIR;
    input.layout = layout;
    input.package = TextbookPackage::Scorm;
    input.outline = {{0, W("Розділ 1")},
                     {1, doc("Лекція", "toc lecture.docx")},
                     {1, doc("Конспект", "Конспект.pdf")},
                     {0, doc("Фото", "Фото.png")}};
    ScriptedPrompts prompts;
    prompts.folders = {root / "textbook"};
    FakeWordProcessor word;
    SilentProgress progress;
    if (ConvertCourse(input, prompts, word, progress, [] { return false; }) != ConvertOutcome::Done)
      qFatal("the course did not convert");
    for (const ZipEntry& entry : ReadZip(root / "textbook.zip")) {
      fs::create_directories((root / "package" / entry.name).parent_path());
      WriteBytes(root / "package" / entry.name, entry.bytes);
    }
    WriteBytes(root / "platform.html", kPlatform);
    return root;
  }

  void Load(const fs::path& file) {
    QSignalSpy loaded(view->page(), &QWebEnginePage::loadFinished);
    view->load(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    QVERIFY(loaded.wait(30000));
    QVERIFY(loaded.first().first().toBool());
  }

  void Launch() {
    Js("launch()");
    QTRY_VERIFY_WITH_TIMEOUT(Calls().contains("LMSInitialize()"), 10000);
  }

  void Open(const char* name) {
    QVERIFY2(Js(QString("follow('%1')").arg(name)).toBool(), name);
    QTRY_COMPARE_WITH_TIMEOUT(Js("shownName()").toString(), QString(name), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(Stored("cmi.core.lesson_location"), QString(name), 10000);
  }

  void StudyAndResume(TextbookLayout layout) {
    const fs::path root = Platform(layout);
    Load(root / "platform.html");
    Launch();
    // The first visit: initialised, marked incomplete, on the first page.
    QTRY_COMPARE_WITH_TIMEOUT(Stored("cmi.core.lesson_location"), QString("page1.html"), 10000);
    QStringList calls = Calls();
    QCOMPARE(calls.first(), QString("LMSInitialize()"));
    QVERIFY(calls.contains("LMSGetValue(cmi.core.lesson_status)"));
    QVERIFY(calls.contains("LMSSetValue(cmi.core.lesson_status, incomplete)"));
    QVERIFY(calls.contains("LMSGetValue(cmi.core.lesson_location)"));
    QVERIFY(calls.contains("LMSCommit()"));
    QCOMPARE(Stored("cmi.core.lesson_status"), QString("incomplete"));

    // The student turns to the second page and leaves.
    Open("page2.html");
    QCOMPARE(Stored("cmi.core.lesson_status"), QString("incomplete"));
    Js("leave()");
    QTRY_VERIFY_WITH_TIMEOUT(Calls().contains("LMSFinish()"), 10000);
    calls = Calls();
    QCOMPARE(calls.last(), QString("LMSFinish()"));
    QVERIFY(calls.contains("LMSSetValue(cmi.core.exit, suspend)"));
    QCOMPARE(calls.count("LMSInitialize()"), 1);
    QCOMPARE(calls.count("LMSFinish()"), 1);

    // The next visit starts where the student stopped; the last page completes the textbook
    // because the first two were opened before.
    Js("calls = []");
    Launch();
    QTRY_COMPARE_WITH_TIMEOUT(Js("shownName()").toString(), QString("page2.html"), 10000);
    QCOMPARE(Stored("cmi.core.lesson_status"), QString("incomplete"));
    // An attempt's status is kept.
    QVERIFY(!Calls().contains("LMSSetValue(cmi.core.lesson_status, incomplete)"));
    Open("page3.html");
    QTRY_COMPARE_WITH_TIMEOUT(Stored("cmi.core.lesson_status"), QString("completed"), 10000);
    QVERIFY(Calls().contains("LMSSetValue(cmi.core.lesson_status, completed)"));
    // Going back does not undo it.
    Open("page2.html");
    Js("leave()");
    QTRY_VERIFY_WITH_TIMEOUT(Calls().contains("LMSFinish()"), 10000);
    QCOMPARE(Stored("cmi.core.lesson_status"), QString("completed"));
    QVERIFY(!Calls().contains("LMSSetValue(cmi.core.exit, suspend)"));
    QVERIFY2(page->errors.isEmpty(), qPrintable(page->errors.join("\n")));
  }

private slots:
  void initTestCase() {
    view = std::make_unique<QWebEngineView>();
    page = new RecordingPage(view.get());
    view->setPage(page);
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->resize(1100, 800);
    view->show();
  }

  void theClassicTextbookReportsToThePlatform() { StudyAndResume(TextbookLayout::Classic); }
  void theModernTextbookReportsToThePlatform() { StudyAndResume(TextbookLayout::Modern); }

  void withoutAPlatformTheLaunchPageIsTheTextbook() {
    for (const TextbookLayout layout : {TextbookLayout::Classic, TextbookLayout::Modern}) {
      const fs::path root = dir / TextbookLayoutName(layout);
      if (!fs::exists(root / "package"))
        Platform(layout);
      page->errors.clear();
      Load(root / "package" / "scorm.html");
      const QString shown =
          "(function(){var t = document.getElementById('textbook').contentWindow;"
          " var f = t.document.getElementsByName('mainFrame')[0];"
          " var w = f ? f.contentWindow : t;"
          " return w.location.pathname.split('/').pop() + ' ' + w.document.body.innerText.length;"
          "})()";
      QTRY_VERIFY_WITH_TIMEOUT(Js(shown).toString().startsWith("page1.html"), 10000);
      QVERIFY(Js(shown).toString().split(' ').last().toInt() > 0);
      QVERIFY2(page->errors.isEmpty(), qPrintable(page->errors.join("\n")));
    }
  }
};

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ScormPackageInBrowser test;
  return QTest::qExec(&test, argc, argv);
}

#include "scorm_browser_test.moc"
