// The modern textbook in a real browser engine, opened from file:// as a student opens it
// offline: on a phone (390 x 844) and on a laptop (1366 x 768).
#include "browser/page_script.h"
#include "generator/fake_word_processor.h"
#include "generator/generate_textbook.h"
#include "support/test_support.h"

#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest/QtTest>

namespace {

using namespace quarbel;
using namespace quarbel::testing;
namespace fs = std::filesystem;

class ModernTextbookInBrowser : public QObject {
  Q_OBJECT

private:
  TempDir dir;
  fs::path book;
  std::unique_ptr<QWebEngineView> view;

  QVariant Js(const QString& script) { return RunPageScript(view->page(), script); }

  // Opens a page of the textbook (with a query, say) and waits for its script to run.
  void Open(const QString& page) {
    QSignalSpy loaded(view->page(), &QWebEnginePage::loadFinished);
    view->load(
        QUrl(QUrl::fromLocalFile(QString::fromStdString(book.string()) + "/").toString() + page));
    QVERIFY(loaded.wait(30000));
    QVERIFY(loaded.first().first().toBool());
    QTRY_VERIFY_WITH_TIMEOUT(Js("document.querySelector('#menu a') !== null").toBool(), 10000);
  }
  void Resize(int width, int height) {
    view->resize(width, height);
    QTRY_COMPARE_WITH_TIMEOUT(Js("window.innerWidth").toInt(), width, 5000);
  }
  QString Location() { return Js("location.pathname.split('/').pop()").toString(); }
  bool MenuShown() {
    return Js("(function(){var r = document.getElementById('menu').getBoundingClientRect();"
              " var s = getComputedStyle(document.getElementById('menu'));"
              " return s.visibility !== 'hidden' && s.display !== 'none' && r.width > 0 &&"
              " r.right > 0 && r.left < window.innerWidth;})()")
        .toBool();
  }

private slots:
  void initTestCase() {
    const fs::path sources = dir / "sources";
    fs::create_directories(sources);
    for (const char* name :
         {"toc lecture.docx", "wide mechanics.docx", "Конспект.pdf", "film.mp4", "Фото.png"})
      WriteBytes(sources / name, "content");
    const auto doc = [&](const char* title, const char* name) {
      return W(title) + " [ " + W((sources / name).string()) + " ]";
    };
    GenerationInput input;
    input.programFolder = QUARBEL_PROGRAM_DIR;
    input.outputFolder = book = dir / "book";
    input.layout = TextbookLayout::Modern;
    input.outline = {{0, W("Розділ 1")},
                     {1, doc("Лекція", "toc lecture.docx")},
                     {1, doc("Механіка", "wide mechanics.docx")},
                     {1, doc("Конспект", "Конспект.pdf")},
                     {0, W("Розділ 2")},
                     {1, doc("Фільм", "film.mp4")},
                     {1, doc("Фото", "Фото.png")}};
    input.titlePage = true;
    input.title.texts[Discipline] = W("Фізика");
    TextbookFolder folder(input.outputFolder);
    folder.Prepare();
    FakeWordProcessor word;
    SilentProgress progress;
    QCOMPARE(GenerateTextbook(input, folder, word, progress), GenerationResult::Done);

    view = std::make_unique<QWebEngineView>();
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->resize(390, 844);
    view->show();
  }

  void onAPhoneNothingScrollsSidewaysAndTheMenuIsADrawer() {
    Resize(390, 844);
    Open("page2.html");
    QVERIFY(Js("document.documentElement.scrollWidth <= window.innerWidth").toBool());
    QVERIFY(!MenuShown());
    Js("document.getElementById('menu-button').click()");
    QTRY_VERIFY_WITH_TIMEOUT(MenuShown(), 5000);
    QCOMPARE(Js("document.getElementById('menu-button').getAttribute('aria-expanded')").toString(),
             QString("true"));
    Js("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', bubbles: true}))");
    QTRY_VERIFY_WITH_TIMEOUT(!MenuShown(), 5000);
    // Every page of text fits, the title page too.
    for (const char* page : {"index.html", "page1.html", "page3.html"}) {
      Open(page);
      QVERIFY2(Js("document.documentElement.scrollWidth <= window.innerWidth").toBool(), page);
    }
  }

  void onAPhoneEveryTapTargetIsLargeEnough() {
    Resize(390, 844);
    Open("page2.html");
    Js("document.getElementById('menu-button').click()");
    QTRY_VERIFY_WITH_TIMEOUT(MenuShown(), 5000);
    // Menu entries, branch buttons, the menu button and the page turns: 44 pixels at least.
    const QString small =
        Js("(function(){var out = [];"
           " document.querySelectorAll('#menu a, #menu button, #menu-button, .pager a')"
           "  .forEach(function(e){ var r = e.getBoundingClientRect();"
           "   if (r.width > 0 && r.height > 0 && r.height < 44) out.push(e.textContent + ' ' +"
           "    r.height); });"
           " return out.join('; ');})()")
            .toString();
    QVERIFY2(small.isEmpty(), qPrintable(small));
    Js("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', bubbles: true}))");
    QTRY_VERIFY_WITH_TIMEOUT(!MenuShown(), 5000);
    // "/" goes to the search box.
    Js("document.dispatchEvent(new KeyboardEvent('keydown', {key: '/', bubbles: true}))");
    QTRY_COMPARE_WITH_TIMEOUT(Js("document.activeElement.id").toString(), QString("search"), 5000);
  }

  void onALaptopTheMenuIsASidebarThatCanBeHidden() {
    Resize(1366, 768);
    Open("page1.html");
    QVERIFY(MenuShown());
    Js("document.getElementById('menu-button').click()");
    QTRY_VERIFY_WITH_TIMEOUT(!MenuShown(), 5000);
    Js("document.getElementById('menu-button').click()");
    QTRY_VERIFY_WITH_TIMEOUT(MenuShown(), 5000);
  }

  void aPageOpenedDirectlyShowsItsEntryInTheMenu() {
    Resize(1366, 768);
    Open("page5.html");
    QCOMPARE(Js("document.querySelector('#menu [aria-current=\"page\"]').getAttribute('href')")
                 .toString(),
             QString("page5.html"));
    // The entry's branch is open, so the entry is there to be seen.
    QVERIFY(Js("document.querySelector('#menu [aria-current=\"page\"]').offsetParent !== null")
                .toBool());
    Open("page4.html");
    QCOMPARE(Js("document.querySelector('main video').getAttribute('src')").toString(),
             QString("other/film.mp4"));
    // The Word page's table of contents is in the menu under its page.
    Open("page1.html");
    QVERIFY(Js("document.querySelector('#menu a[href=\"page1.html#_Toc1\"]') !== null").toBool());
  }

  void arrowKeysTurnThePages() {
    Resize(1366, 768);
    Open("page2.html");
    view->setFocus();
    QSignalSpy loaded(view->page(), &QWebEnginePage::loadFinished);
    Js("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowRight', bubbles: true}))");
    QTRY_COMPARE_WITH_TIMEOUT(Location(), QString("page3.html"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(Js("document.readyState === 'complete'").toBool(), 10000);
    Js("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowLeft', bubbles: true}))");
    QTRY_COMPARE_WITH_TIMEOUT(Location(), QString("page2.html"), 10000);
    // Not while the reader types in the search box.
    QTRY_VERIFY_WITH_TIMEOUT(Js("document.getElementById('search') !== null").toBool(), 10000);
    Js("document.getElementById('search').focus();"
       "document.getElementById('search').dispatchEvent(new KeyboardEvent('keydown', "
       "{key: 'ArrowRight', bubbles: true}))");
    QTest::qWait(500);
    QCOMPARE(Location(), QString("page2.html"));
  }

  void searchFindsWordFormsAndMarksThemOnThePage() {
    Resize(390, 844);
    Open("index.html");
    const auto search = [&](const QString& words) {
      Js(QString("var s = document.getElementById('search'); s.focus(); s.value = '%1';"
                 " s.dispatchEvent(new Event('input', {bubbles: true}));")
             .arg(words));
    };
    search(QStringLiteral("механік"));
    QTRY_VERIFY_WITH_TIMEOUT(
        Js("document.querySelector('#search-results a[href^=\"page2.html\"]') !== null").toBool(),
        15000);
    QVERIFY(Js("document.querySelector('#search-results mark') !== null").toBool());
    // The apostrophe as the keyboard types it finds the page's typographic one.
    search(QStringLiteral("п'ять"));
    QTRY_VERIFY_WITH_TIMEOUT(
        Js("document.querySelector('#search-results a[href^=\"page2.html\"]') !== null").toBool(),
        15000);
    search(QStringLiteral("жодногословатакого"));
    QTRY_VERIFY_WITH_TIMEOUT(Js("document.querySelectorAll('#search-results a').length === 0 &&"
                                " document.getElementById('search-results').textContent.length > 0")
                                 .toBool(),
                             15000);
    search(QStringLiteral("механік"));
    QTRY_VERIFY_WITH_TIMEOUT(
        Js("document.querySelector('#search-results a[href^=\"page2.html\"]') !== null").toBool(),
        15000);
    QSignalSpy loaded(view->page(), &QWebEnginePage::loadFinished);
    Js("document.querySelector('#search-results a[href^=\"page2.html\"]').click()");
    QVERIFY(loaded.wait(15000));
    QCOMPARE(Location(), QString("page2.html"));
    QTRY_VERIFY_WITH_TIMEOUT(
        Js("document.querySelectorAll('main mark.search-hit').length").toInt() >= 2, 10000);
  }

  void cleanupTestCase() { view.reset(); }
};

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ModernTextbookInBrowser test;
  return QTest::qExec(&test, argc, argv);
}

#include "modern_browser_test.moc"
