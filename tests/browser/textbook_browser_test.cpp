// A generated textbook in a real browser engine: the frames, the menu's buttons and links,
// the page navigation, a Word table of contents in the menu, and the video page.
#include "browser/page_script.h"
#include "generator/fake_word_processor.h"
#include "generator/generate_textbook.h"
#include "support/test_support.h"

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QMimeDatabase>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QtTest/QtTest>

namespace {

using namespace quarbel;
using namespace quarbel::testing;
namespace fs = std::filesystem;

// Serves the textbook folder as textbook://book/..., one origin for all its frames.
class FolderScheme : public QWebEngineUrlSchemeHandler {
public:
  explicit FolderScheme(fs::path folder) : folder_(std::move(folder)) {}
  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QString path =
        QString::fromStdString((folder_ / job->requestUrl().path().mid(1).toStdString()).string());
    auto* file = new QFile(path, job);
    if (!file->open(QIODevice::ReadOnly)) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    const QByteArray mime = QMimeDatabase().mimeTypeForFile(path).name().toUtf8();
    job->reply(mime, file);
  }

private:
  fs::path folder_;
};

class TextbookInBrowser : public QObject {
  Q_OBJECT

private:
  TempDir dir;
  QWebEnginePage* page = nullptr;
  FolderScheme* scheme = nullptr;

  QVariant Js(const QString& script) { return RunPageScript(page, script); }
  // JavaScript in one of the two frames.
  QString InFrame(const char* frame, const QString& expression) {
    return QString("(function(){var d = window.frames['%1'].document; return %2;})()")
        .arg(frame, expression);
  }
  QString FrameLocation(const char* frame) {
    return Js(QString("window.frames['%1'].location.href").arg(frame)).toString();
  }
  bool FrameReady(const char* frame) {
    return Js(QString("window.frames['%1'].document.readyState").arg(frame)).toString() ==
           "complete";
  }

private slots:
  void initTestCase() {
    const fs::path sources = dir / "sources";
    fs::create_directories(sources);
    for (const char* name : {"toc lecture.docx", "Конспект.pdf", "film.mp4", "Фото.png"})
      WriteBytes(sources / name, "content");
    const auto doc = [&](const char* title, const char* name) {
      return W(title) + " [ " + W((sources / name).string()) + " ]";
    };
    GenerationInput input;
    input.programFolder = QUARBEL_PROGRAM_DIR;
    input.outputFolder = dir / "book";
    input.outline = {{0, W("Розділ 1")},
                     {1, doc("Лекція", "toc lecture.docx")},
                     {1, doc("Конспект", "Конспект.pdf")},
                     {1, doc("Фільм", "film.mp4")},
                     {0, W("Розділ 2")},
                     {1, doc("Фото", "Фото.png")}};
    input.titlePage = true;
    input.title.texts[Discipline] = W("Фізика");
    TextbookFolder folder(input.outputFolder);
    folder.Prepare();
    FakeWordProcessor word;
    SilentProgress progress;
    QCOMPARE(GenerateTextbook(input, folder, word, progress), GenerationResult::Done);

    scheme = new FolderScheme(input.outputFolder);
    QWebEngineProfile::defaultProfile()->installUrlSchemeHandler("textbook", scheme);
    page = new QWebEnginePage;
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    page->load(QUrl("textbook://book/index.html"));
    QVERIFY(loaded.wait(30000));
    QVERIFY(loaded.first().first().toBool());
    QTRY_VERIFY_WITH_TIMEOUT(FrameReady("leftFrame") && FrameReady("mainFrame"), 10000);
  }

  void framesShowTheMenuAndTheTitlePage() {
    QVERIFY(FrameLocation("leftFrame").endsWith("/menu.html"));
    QVERIFY(FrameLocation("mainFrame").endsWith("/title.html"));
    QCOMPARE(Js(InFrame("mainFrame", "d.body.innerText.indexOf('Фізика') >= 0")).toBool(), true);
  }

  void plusButtonsOpenAndCloseTheirSubLists() {
    QCOMPARE(Js(InFrame("leftFrame", "d.getElementById('subDiv1').style.display")).toString(),
             QString("none"));
    Js(InFrame("leftFrame", "d.getElementById('subBtn1').click()"));
    QCOMPARE(Js(InFrame("leftFrame", "d.getElementById('subDiv1').style.display")).toString(),
             QString("block"));
    QVERIFY(Js(InFrame("leftFrame", "d.getElementById('subBtn1').style.background"))
                .toString()
                .contains("minus.gif"));
    // The minus picture is there to be shown.
    QCOMPARE(
        Js(InFrame(
               "leftFrame",
               "(function(){var r = new XMLHttpRequest(); r.open('GET', 'img/minus.gif', false);"
               " r.send(); return r.status;})()"))
            .toInt(),
        200);
    Js(InFrame("leftFrame", "d.getElementById('subBtn1').click()"));
    QCOMPARE(Js(InFrame("leftFrame", "d.getElementById('subDiv1').style.display")).toString(),
             QString("none"));
    QVERIFY(Js(InFrame("leftFrame", "d.getElementById('subBtn1').style.background"))
                .toString()
                .contains("plus.gif"));
  }

  void menuLinksOpenTheirPagesAndNavigationLeadsToTheNeighbours() {
    Js(InFrame("leftFrame", "d.querySelector('a[href=\"page2.html\"]').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(
        FrameLocation("mainFrame").endsWith("/page2.html") && FrameReady("mainFrame"), 10000);
    QCOMPARE(
        Js(InFrame("mainFrame",
                   "d.querySelector('a[href=\"other/konspekt.pdf\"] img').getAttribute('src')"))
            .toString(),
        QString("img/pdf.png"));
    Js(InFrame("mainFrame", "d.querySelector('a[href=\"page3.html\"]').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(
        FrameLocation("mainFrame").endsWith("/page3.html") && FrameReady("mainFrame"), 10000);
    Js(InFrame("mainFrame", "d.querySelector('a[href=\"page2.html\"]').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(
        FrameLocation("mainFrame").endsWith("/page2.html") && FrameReady("mainFrame"), 10000);
  }

  void aWordTableOfContentsSitsInTheMenuAndLeadsIntoThePage() {
    const QString entry = "d.querySelector('a[href=\"page1.html#_Toc2\"]')";
    QCOMPARE(Js(InFrame("leftFrame", entry + ".textContent")).toString(), QString("Мета"));
    Js(InFrame("leftFrame", entry + ".click()"));
    QTRY_VERIFY_WITH_TIMEOUT(
        FrameLocation("mainFrame").endsWith("/page1.html#_Toc2") && FrameReady("mainFrame"), 10000);
    QCOMPARE(Js(InFrame("mainFrame", "d.querySelector('a[name=\"_Toc2\"]') !== null")).toBool(),
             true);
    QCOMPARE(Js(InFrame("mainFrame", "d.querySelectorAll('p.MsoToc1').length")).toInt(), 0);
  }

  void theVideoPageShowsAPlayableVideo() {
    Js(InFrame("leftFrame", "d.querySelector('a[href=\"page3.html\"]').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(
        FrameLocation("mainFrame").endsWith("/page3.html") && FrameReady("mainFrame"), 10000);
    const QString video = "d.querySelector('#Player1 video')";
    QTRY_VERIFY_WITH_TIMEOUT(Js(InFrame("mainFrame", video + " !== null")).toBool(), 10000);
    QVERIFY(Js(InFrame("mainFrame", video + ".src")).toString().endsWith("/other/film.mp4"));
    QCOMPARE(Js(InFrame("mainFrame", video + ".controls")).toBool(), true);
    QCOMPARE(Js(InFrame("mainFrame", video + ".autoplay")).toBool(), false);
    QCOMPARE(Js(InFrame("mainFrame", video + ".volume")).toDouble(), 0.5);
    QCOMPARE(Js(InFrame("mainFrame", video + ".style.objectFit")).toString(), QString("cover"));
    QCOMPARE(Js(InFrame("mainFrame", video + ".width")).toInt(), 640);
    QCOMPARE(Js(InFrame("mainFrame", "d.getElementById('Player1').innerText.indexOf('Flash') < 0"))
                 .toBool(),
             true);
  }

  void cleanupTestCase() { delete page; }
};

} // namespace

int main(int argc, char** argv) {
  QWebEngineUrlScheme scheme("textbook");
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed |
                  QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TextbookInBrowser test;
  return QTest::qExec(&test, argc, argv);
}

#include "textbook_browser_test.moc"
