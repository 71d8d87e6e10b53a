// The visual editor in a real browser engine, with scripted answers: a page opened from
// disk, edited through the tool bar and the insert windows, saved in its own encoding,
// zoomed, closed with its question and drawn into pictures.
#include "editor/vision_editor_box.h"

#include "app/main_window.h"
#include "editor/insert_dialogs.h"
#include "editor/page_picture.h"
#include "editor/wb_edit.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/file_bytes.h"
#include "widgets/colour_selector.h"

#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest/QtTest>

#include <set>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace quarbel;
using namespace quarbel::testing;
namespace fs = std::filesystem;

// A Windows-1251 page as the textbook writes them, with a picture.
std::string Page() {
  return W("<html>\r\n<head>\r\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
           "<title>Лекція</title>\r\n</head>\r\n<body>\r\n"
           "<p id=\"p\">Привіт світ</p>\r\n"
           "<p id=\"q\"><img id=\"pic\" src=\"pic.bmp\" width=\"20\" height=\"20\"></p>\r\n"
           "<p id=\"r\">кінець</p>\r\n"
           "</body>\r\n</html>\r\n");
}

// One insertion through the insert windows, as the user makes it, and the markup it leaves
// after the text typed before it ("xyz" at the end of the first paragraph, whose "</p>" the
// markup includes). "|" marks where the caret is left.
struct Insertion {
  const char* name;
  void (*insert)(EditorWindow& editor);
  const char* markup;
};

void TriggerInsertItem(EditorWindow& editor, const char* item) {
  editor.Menu("InsertMenu")->findChild<QAction*>(item)->trigger();
}

const Insertion kInsertions[] = {
    {"link with a bold name",
     [](EditorWindow& e) {
       TriggerInsertItem(e, "IURLItem");
       e.IURLBox()->NameEdit()->setText("<b>Сайт</b>");
       e.IURLBox()->URLEdit()->setText("http://example.org/");
       e.IURLBox()->IURLButtonClick();
     },
     "xyz<a href=\"http://example.org/\"><b>Сайт</b></a>|</p>"},
    {"link made with nothing selected",
     [](EditorWindow& e) {
       e.Button("CreateLinkButton")->click();
       e.CreateURLBox()->URLEdit()->setText("page3.html");
       e.CreateURLBox()->IIndexButtonClick();
     },
     "xyz<a href=\"page3.html\">page3.html</a>|</p>"},
    {"picture",
     [](EditorWindow& e) {
       TriggerInsertItem(e, "IImageItem");
       e.IImageBox()->ImageEdit()->setText("pic.bmp");
       e.IImageBox()->IImageButtonClick();
     },
     "xyz<img src=\"pic.bmp\">|</p>"},
    {"subscript",
     [](EditorWindow& e) {
       TriggerInsertItem(e, "ILIndexItem");
       e.IIndexBox()->IndexEdit()->setText("2");
       e.IIndexBox()->IIndexButtonClick();
     },
     "xyz<sub>2</sub>|</p>"},
    {"superscript",
     [](EditorWindow& e) {
       TriggerInsertItem(e, "IUIndexItem");
       e.IIndexBox()->IndexEdit()->setText("中");
       e.IIndexBox()->IIndexButtonClick();
     },
     "xyz<sup>中</sup>|</p>"},
    {"copyright sign", [](EditorWindow& e) { e.ISymbolBox()->Button("CButton")->click(); },
     "xyz©|</p>"},
    {"registered sign", [](EditorWindow& e) { e.ISymbolBox()->Button("RButton")->click(); },
     "xyz®|</p>"},
    {"trade mark sign", [](EditorWindow& e) { e.ISymbolBox()->Button("TMButton")->click(); },
     "xyz™|</p>"},
    // A line is a block: it goes after the paragraph, not inside it.
    {"horizontal line", [](EditorWindow& e) { e.ISymbolBox()->Button("HLButton")->click(); },
     "xyz</p><hr>|"},
};

// The page copies the picture export leaves in the temporary folder.
std::set<fs::path> TemporaryPages() {
  std::set<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
    if (entry.path().filename().string().starts_with("quarbel-page-"))
      pages.insert(entry.path());
  return pages;
}

// A named pipe nobody writes to: the browser waits on it as on a picture that never comes.
// At the end a writer comes and goes, and the readers see its end.
class SilentPipe {
public:
  explicit SilentPipe(fs::path path) : path_(std::move(path)) {
    if (::mkfifo(path_.c_str(), 0600) != 0)
      throw std::runtime_error("cannot make the pipe " + path_.string());
  }
  ~SilentPipe() {
    for (int i = 0, fd; i < 50 && (fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK)) >= 0; ++i) {
      ::close(fd);
      QTest::qWait(50);
    }
  }

private:
  fs::path path_;
};

// Whether the picture has text on it: pixels near black.
bool HasDarkPixels(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 80)
        return true;
  return false;
}

class EditorWindowTest : public QObject {
  Q_OBJECT

private:
  std::unique_ptr<TempDir> dir;
  std::unique_ptr<ScriptedPrompts> prompts;
  Prompts* door = nullptr;
  std::unique_ptr<EditorWindow> editor;

  QVariant Js(const QString& script) { return editor->Engine().RunScript(script); }
  QString Html(const char* id) {
    return Js(QString("document.getElementById('%1').innerHTML").arg(id)).toString();
  }
  // Selects characters [from, to) of the first text of the element.
  void SelectText(const char* id, int from, int to) {
    Js(QString("(function() { var t = document.getElementById('%1').firstChild;"
               " var r = document.createRange(); r.setStart(t, %2); r.setEnd(t, %3);"
               " var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); })()")
           .arg(id)
           .arg(from)
           .arg(to));
  }
  void CaretAtEndOf(const char* id) {
    Js(QString("(function() { var e = document.getElementById('%1');"
               " var r = document.createRange(); r.selectNodeContents(e); r.collapse(false);"
               " var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); })()")
           .arg(id));
  }
  void SelectPicture() {
    Js("(function() { var r = document.createRange();"
       " r.selectNode(document.getElementById('pic'));"
       " var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); })()");
  }
  QString Body() { return Js("document.body.innerHTML").toString(); }
  void OpenPage(const fs::path& page) {
    prompts->files = {page};
    editor->OpenButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(editor->DocumentLoaded(), 15000);
    prompts->said.clear();
  }

private slots:
  void init() {
    dir = std::make_unique<TempDir>();
    prompts = std::make_unique<ScriptedPrompts>();
    door = prompts.get();
    editor = std::make_unique<EditorWindow>(nullptr, door);
    WriteBytes(*dir / "page.htm", Page());
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(QString::fromStdString((*dir / "pic.bmp").string()), "BMP");
    editor->ShowBlank();
    QTRY_VERIFY_WITH_TIMEOUT(!editor->Engine().Loading(), 15000);
  }
  void cleanup() {
    prompts->answers.push_back(Answer::No); // the close question, when a page is loaded
    editor.reset();
  }

  void opensAPageInDesignModeAndEnablesTheCommands() {
    QVERIFY(!editor->DocumentLoaded());
    QVERIFY(!editor->Button("SaveButton")->isEnabled());
    QVERIFY(!editor->Group("FunctionToolBar")->isEnabled());
    QVERIFY(editor->Button("OpenButton")->isEnabled());
    prompts->files = {*dir / "page.htm"};
    editor->OpenButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(editor->DocumentLoaded(), 15000);
    QVERIFY(prompts->said.size() == 1); // the chooser only: nothing was loaded before
    QCOMPARE(Js("document.designMode").toString(), QString("on"));
    QCOMPARE(Html("p"), QString("Привіт світ"));
    for (const char* group : {"ClipBoardToolBar", "FontToolBar", "FormatFontToolBar",
                              "ParagraphToolBar", "ScaleToolBar", "FunctionToolBar"})
      QVERIFY2(editor->Group(group)->isEnabled(), group);
    QCOMPARE(editor->CurrentFileName(), *dir / "page.htm");

    // A second open asks about the page first; Cancel keeps everything.
    prompts->said.clear();
    prompts->answers = {Answer::Cancel};
    editor->OpenButtonClick();
    QCOMPARE(prompts->said, std::vector<std::string>{"question: Зберегти зміни в документі ?"});
    // A missing file is refused.
    prompts->said.clear();
    prompts->answers = {Answer::No};
    prompts->files = {*dir / "missing.htm"};
    editor->OpenButtonClick();
    QCOMPARE(prompts->said.back(), std::string("warning: Не вдалося знайти зазначений файл !"));
    QCOMPARE(editor->CurrentFileName(), *dir / "page.htm");

    // A file gone by the time the browser reads it leaves nothing to save over it. (The
    // removal runs while the old page leaves design mode, after the chooser's check.)
    WriteBytes(*dir / "gone.htm", "<p>gone</p>");
    prompts->said.clear();
    prompts->answers = {Answer::No};
    prompts->files = {*dir / "gone.htm"};
    QTimer::singleShot(0, [&] { fs::remove(*dir / "gone.htm"); });
    editor->OpenButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(!editor->Engine().Loading(), 15000);
    QCOMPARE(prompts->said.back(),
             "warning: Не вдалося відкрити файл \"" + (*dir / "gone.htm").string() + "\"");
    QVERIFY(!editor->DocumentLoaded());
    QVERIFY(!editor->Button("SaveButton")->isEnabled());
  }

  void formatsTheSelectionAndRefusesCommandsOnAPicture() {
    OpenPage(*dir / "page.htm");
    SelectText("p", 0, 6);
    editor->Button("BoldButton")->click();
    QCOMPARE(Html("p"), QString("<b>Привіт</b> світ"));
    // Undo and redo are the page's own.
    editor->Button("UndoButton")->click();
    QTRY_COMPARE(Html("p"), QString("Привіт світ"));
    editor->Button("RedoButton")->click();
    QTRY_COMPARE(Html("p"), QString("<b>Привіт</b> світ"));
    SelectText("r", 0, 6);
    editor->Button("ItalicButton")->click();
    QCOMPARE(Html("r"), QString("<i>кінець</i>"));

    SelectPicture();
    editor->Button("UnderlineButton")->click();
    QCOMPARE(prompts->said, std::vector<std::string>{"warning: Дана команда не підтримується !"});
    QVERIFY(!Html("q").contains("<u>"));
    // A refused font command empties the selector that ran it.
    editor->FontSelector1()->setCurrentIndex(2);
    editor->Engine().ApplyFontName("Arial");
    QCOMPARE(editor->FontSelector1()->currentIndex(), -1);
    editor->ColorSelector1()->SetColour({255, 0, 0});
    editor->Engine().ApplyFontColor({255, 0, 0});
    QCOMPARE(editor->ColorSelector1()->Colour(), (RgbColor{0, 0, 0}));
    // Alignment applies to a picture.
    prompts->said.clear();
    editor->Button("AlignCenterButton")->click();
    QVERIFY(prompts->said.empty());

    // The font chooser: bold with strike-out runs no style command, the rest still apply.
    SelectText("r", 0, 1);
    FontChoice font;
    font.name = "DejaVu Sans Mono";
    font.points = 36;
    font.bold = true;
    font.strikeOut = true;
    font.colour = {0, 0, 255};
    prompts->fonts = {font};
    editor->findChild<QToolButton*>("FontDialogButton")->click();
    const QString r = Html("r");
    QVERIFY2(r.contains("DejaVu Sans Mono") && r.contains("#0000ff") && r.contains("size=\"7\""),
             qPrintable(r));
    QVERIFY2(!r.contains("<b>"), qPrintable(r));
  }

  void theInsertWindowsPasteTheirFragments() {
    OpenPage(*dir / "page.htm");
    InsertLinkWindow* url = editor->IURLBox();
    editor->Menu("InsertMenu")->findChild<QAction*>("IURLItem")->trigger();
    QVERIFY(url->isVisible());
    url->NameEdit()->setText("<b>Сайт</b>");
    url->IURLButtonClick(); // no address yet
    QCOMPARE(prompts->said.back(), std::string("warning: Заповніть всі поля !"));
    QCOMPARE(url->NameEdit()->text(), QString("<b>Сайт</b>"));
    url->URLEdit()->setText("http://example.org/");
    CaretAtEndOf("r");
    QTest::keyClick(url->URLEdit(), Qt::Key_Return);
    QVERIFY(url->NameEdit()->text().isEmpty() && url->URLEdit()->text().isEmpty());
    QCOMPARE(Js("document.querySelector('#r a').getAttribute('href')").toString(),
             QString("http://example.org/"));
    QCOMPARE(Js("document.querySelector('#r a b').textContent").toString(), QString("Сайт"));
    QTest::keyClick(url, Qt::Key_Escape);
    QVERIFY(!url->isVisible());

    CaretAtEndOf("p");
    InsertIndexWindow* index = editor->IIndexBox();
    editor->Menu("InsertMenu")->findChild<QAction*>("ILIndexItem")->trigger();
    QCOMPARE(index->windowTitle(), QString("Вставити нижній індекс"));
    index->IndexEdit()->setText("2");
    index->IIndexButtonClick();
    editor->Menu("InsertMenu")->findChild<QAction*>("IUIndexItem")->trigger();
    index->IndexEdit()->setText("中");
    index->IIndexButtonClick();
    QVERIFY2(Html("p").endsWith("<sub>2</sub><sup>中</sup>"), qPrintable(Html("p")));

    editor->Menu("InsertMenu")->findChild<QAction*>("ISymbolItem")->trigger();
    for (const char* button : {"CButton", "RButton", "TMButton"})
      editor->ISymbolBox()->Button(button)->click();
    QVERIFY2(Html("p").endsWith("©®™"), qPrintable(Html("p")));
    editor->ISymbolBox()->Button("HLButton")->click();
    QCOMPARE(Js("document.getElementsByTagName('hr').length").toInt(), 1);

    // The picture's address as the file chooser gives it.
    CaretAtEndOf("r");
    InsertImageWindow* image = editor->IImageBox();
    editor->Menu("InsertMenu")->findChild<QAction*>("IImageItem")->trigger();
    prompts->files = {*dir / "pic.bmp"};
    image->findChild<QPushButton*>("OpenButton")->click();
    QCOMPARE(image->ImageEdit()->text(), QString::fromStdString((*dir / "pic.bmp").string()));
    image->IImageButtonClick();
    QCOMPARE(Js("document.querySelector('#r img').getAttribute('src')").toString(),
             QString::fromStdString((*dir / "pic.bmp").string()));

    // The selected text becomes a link; with a picture selected nothing can be pasted.
    SelectText("p", 0, 6);
    editor->Button("CreateLinkButton")->click();
    editor->CreateURLBox()->URLEdit()->setText("page2.html");
    editor->CreateURLBox()->IIndexButtonClick();
    QCOMPARE(Js("document.querySelector('#p a').getAttribute('href')").toString(),
             QString("page2.html"));
    QCOMPARE(Js("document.querySelector('#p a').textContent").toString(), QString("Привіт"));
    // Nothing selected: the address is the link's text, not an invisible empty link.
    CaretAtEndOf("r");
    editor->Button("CreateLinkButton")->click();
    editor->CreateURLBox()->URLEdit()->setText("page3.html");
    editor->CreateURLBox()->IIndexButtonClick();
    QCOMPARE(Js("document.querySelector('a[href=\"page3.html\"]').textContent").toString(),
             QString("page3.html"));
    SelectPicture();
    prompts->said.clear();
    editor->Menu("InsertMenu")->findChild<QAction*>("IURLItem")->trigger();
    url->NameEdit()->setText("a");
    url->URLEdit()->setText("b");
    url->IURLButtonClick();
    QCOMPARE(prompts->said, std::vector<std::string>{"warning: Дана команда не підтримується !"});
    QVERIFY(url->NameEdit()->text().isEmpty()); // cleared as after an insert
    editor->ISymbolBox()->Button("CButton")->click();
    QCOMPARE(prompts->said.back(), std::string("warning: Дана команда не підтримується !"));
  }

  // Each insertion is one step of the page's own undo history: Undo takes back exactly the
  // insertion and keeps what was typed before it; Redo puts it back.
  void anInsertionIsOneStepOfUndo_data() {
    QTest::addColumn<int>("kind");
    for (int i = 0; i < int(std::size(kInsertions)); ++i)
      QTest::newRow(kInsertions[i].name) << i;
  }
  void anInsertionIsOneStepOfUndo() {
    QFETCH(int, kind);
    const Insertion& insertion = kInsertions[kind];
    OpenPage(*dir / "page.htm");
    CaretAtEndOf("p");
    editor->WebBrowser1()->setFocus();
    QTest::keyClicks(editor->WebBrowser1()->focusProxy(), "xyz");
    QTRY_COMPARE(Html("p"), QString("Привіт світxyz"));
    const QString typed = Body();
    const auto typedAnd = [&typed, &insertion](const QString& atCaret) {
      return QString(typed).replace("xyz</p>", QString(insertion.markup).replace("|", atCaret));
    };

    insertion.insert(*editor);
    QCOMPARE(Body(), typedAnd(""));
    QVERIFY(prompts->said.empty());
    // The caret is after the fragment: what comes next follows it.
    editor->Engine().InsertHTML("!");
    QCOMPARE(Body(), typedAnd("!"));

    editor->Button("UndoButton")->click();
    QTRY_COMPARE(Body(), typedAnd(""));
    editor->Button("UndoButton")->click();
    QTRY_COMPARE(Body(), typed);
    editor->Button("RedoButton")->click();
    QTRY_COMPARE(Body(), typedAnd(""));
  }

  void savesThePageInItsOwnEncoding() {
    OpenPage(*dir / "page.htm");
    SelectText("p", 0, 6);
    editor->Button("BoldButton")->click();
    CaretAtEndOf("r");
    editor->Engine().InsertSuperscript("中");
    editor->ScalePlusButtonClick(); // the zoom is the editor's, not the page's
    editor->SaveItemClick();
    QVERIFY(prompts->said.empty()); // saving onto the page's own file asks nothing
    const std::string saved = ReadFileBytes(*dir / "page.htm");
    QVERIFY(saved.find(W("<b>Привіт</b> світ")) != std::string::npos);
    QVERIFY(saved.find("<sup>&#20013;</sup>") != std::string::npos);
    QVERIFY(saved.find("charset=windows-1251") != std::string::npos);
    QVERIFY(saved.find(W("<title>Лекція</title>")) != std::string::npos);
    QVERIFY(saved.find("zoom") == std::string::npos);
    QVERIFY(Js("document.body.style.zoom").toString() != QString());

    // Save as: the filter's extension, then the replace question and its chooser.
    prompts->said.clear();
    prompts->savedFiles = {ChosenFile{*dir / "notes", 1}};
    editor->SaveAsItemClick();
    QVERIFY(fs::exists(*dir / "notes.html"));
    QCOMPARE(editor->CurrentFileName(), *dir / "notes.html");
    WriteBytes(*dir / "other.htm", "other");
    prompts->savedFiles = {ChosenFile{*dir / "other.htm", 0}, ChosenFile{*dir / "x", 0}};
    prompts->answers = {Answer::No};
    editor->SaveAsItemClick();
    QCOMPARE(ReadFileBytes(*dir / "other.htm"), std::string("other"));
    QVERIFY(fs::exists(*dir / "x")); // as typed, without an extension
    QCOMPARE(editor->CurrentFileName(), *dir / "x");
  }

  void findsTextThroughTheFindBar() {
    QTest::keyClick(editor.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(!editor->FindBar()->isVisible()); // nothing to search on the blank page
    OpenPage(*dir / "page.htm");
    editor->Button("SearchButton")->click();
    QVERIFY(editor->FindBar()->isVisible());
    editor->FindEdit()->setText("і");
    QTest::keyClick(editor->FindEdit(), Qt::Key_Return);
    QTRY_COMPARE(editor->FindCount()->text(), QString("1 з 3"));
    editor->FindNext(false);
    QTRY_COMPARE(editor->FindCount()->text(), QString("2 з 3"));
    editor->FindEdit()->setText("немає");
    editor->FindNext(false);
    QTRY_COMPARE(editor->FindCount()->text(), QString("Не знайдено"));
    editor->FindEdit()->setFocus();
    QTest::keyClick(editor->FindEdit(), Qt::Key_Escape);
    QVERIFY(!editor->FindBar()->isVisible());
    QVERIFY(editor->isVisible());
  }

  void zoomStepsAndTheCloseQuestion() {
    OpenPage(*dir / "page.htm");
    for (int i = 0; i < 11; ++i)
      editor->Button("ScalePlusButton")->click();
    QCOMPARE(editor->StatusText(), QString("Масштаб = 200%"));
    QCOMPARE(Js("document.body.style.zoom").toDouble(), editor->ZoomFactor());

    prompts->answers = {Answer::Cancel};
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    QCOMPARE(prompts->said.back(), std::string("question: Зберегти зміни в документі ?"));
    QVERIFY(editor->isVisible());
    // Yes, and the save fails: the window stays with its page, and says why.
    fs::create_directories(*dir / "gone");
    fs::copy_file(*dir / "page.htm", *dir / "gone" / "page.htm");
    prompts->answers = {Answer::No}; // opening asks about the page that is open
    OpenPage(*dir / "gone" / "page.htm");
    fs::remove_all(*dir / "gone");
    prompts->said.clear();
    prompts->answers = {Answer::Yes};
    QVERIFY(!editor->close());
    QVERIFY(editor->isVisible());
    QVERIFY(editor->DocumentLoaded());
    QCOMPARE(prompts->said.size(), size_t(2));
    QCOMPARE(prompts->said.back(), std::string("warning: Відбулася помилка при збережені !"));
    prompts->answers = {Answer::No};
    OpenPage(*dir / "page.htm");
    for (int i = 0; i < 11; ++i)
      editor->Button("ScalePlusButton")->click();

    prompts->answers = {Answer::No};
    QVERIFY(editor->close());
    QCOMPARE(editor->StatusText(), QString("Масштаб = 100%"));
    QVERIFY(!editor->Button("SaveButton")->isEnabled());
    QCOMPARE(Js("document.designMode").toString(), QString("off"));
    QVERIFY(editor->DocumentLoaded()); // the page stays, and so does the question

    // Back on the blank page the remembered file is safe from Save.
    editor->ShowBlank();
    QTRY_VERIFY_WITH_TIMEOUT(!editor->DocumentLoaded(), 15000);
    const std::string before = ReadFileBytes(*dir / "page.htm");
    QTest::keyClick(editor.get(), Qt::Key_S, Qt::ControlModifier);
    editor->SaveItemClick();
    editor->SavePictureItemClick();
    editor->PrintItemClick(); // no print or preview window: they would wait for the user
    editor->PreviewItemClick();
    QCOMPARE(ReadFileBytes(*dir / "page.htm"), before);
    for (int i = 0; i < 10; ++i)
      editor->ScaleMinusButtonClick();
    QCOMPARE(editor->StatusText(), QString("Масштаб = 10%"));
  }

  void exportsThePageAsAScreenSizedPicture() {
    OpenPage(*dir / "page.htm");
    const QSize screen = editor->WebBrowser1()->screen()->size();
    prompts->savedFiles = {ChosenFile{*dir / "shot", 0}};
    QTest::keyClick(editor.get(), Qt::Key_I, Qt::ControlModifier);
    QImage bmp(QString::fromStdString((*dir / "shot.Bmp").string()), "BMP");
    QCOMPARE(bmp.size(), screen);
    // The page's first paragraph is dark text on white: the picture is not blank.
    QCOMPARE(bmp.pixelColor(screen.width() - 1, screen.height() - 1), QColor(Qt::white));
    bool red = false;
    for (int y = 0; y < 80 && !red; ++y)
      for (int x = 0; x < 80 && !red; ++x)
        red = bmp.pixelColor(x, y).red() > 200 && bmp.pixelColor(x, y).green() < 60;
    QVERIFY(red); // the red picture of the page

    prompts->savedFiles = {ChosenFile{*dir / "shot", 1}, ChosenFile{*dir / "shot.jpg", 0}};
    editor->SavePictureItemClick();
    editor->SavePictureItemClick();
    QCOMPARE(ReadFileBytes(*dir / "shot.Gif").substr(0, 4), std::string("GIF8"));
    QCOMPARE(QImage(QString::fromStdString((*dir / "shot.Gif").string())).size(), screen);
    const std::string jpeg = ReadFileBytes(*dir / "shot.jpg");
    QCOMPARE(jpeg.substr(0, 2), std::string("\xFF\xD8"));
    QCOMPARE(QImage(QString::fromStdString((*dir / "shot.jpg").string())).size(), screen);

    // An existing target: No opens the chooser again; cancelling writes nothing.
    const std::string before = ReadFileBytes(*dir / "shot.jpg");
    prompts->said.clear();
    prompts->savedFiles = {ChosenFile{*dir / "shot.jpg", 3}, std::nullopt};
    prompts->answers = {Answer::No};
    editor->SavePictureItemClick();
    QCOMPARE(prompts->said.size(), size_t(3));
    QCOMPARE(prompts->said[1],
             std::string("question: Даний файл вже існує, бажаєте замінити його ?"));
    QCOMPARE(ReadFileBytes(*dir / "shot.jpg"), before);
  }

  // The bold, italic and underline buttons show the style at the caret or of the selection,
  // wherever the caret goes and after each command; a click runs the command, and the button
  // then shows what the command did.
  void theStyleButtonsShowTheStyleAtTheCaret_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("styled"); // the id of the styled word
    QTest::addColumn<QString>("tag");
    QTest::newRow("bold") << "BoldButton"
                          << "b"
                          << "b";
    QTest::newRow("italic") << "ItalicButton"
                            << "i"
                            << "i";
    QTest::newRow("underline") << "UnderlineButton"
                               << "u"
                               << "u";
  }
  void theStyleButtonsShowTheStyleAtTheCaret() {
    QFETCH(QString, button);
    QFETCH(QString, styled);
    QFETCH(QString, tag);
    WriteBytes(*dir / "styles.htm",
               W("<html><body>\r\n<p id=\"p\">звичайний текст</p>\r\n"
                 "<p><b id=\"b\">жирний</b> <i id=\"i\">курсив</i> <u id=\"u\">підкреслений</u></p>"
                 "\r\n<p><img id=\"pic\" src=\"pic.bmp\"></p>\r\n</body></html>\r\n"));
    OpenPage(*dir / "styles.htm");
    QToolButton* shown = editor->Button(button.toLatin1());
    QVERIFY(shown->isCheckable());
    const auto others = [&] {
      int checked = 0;
      for (const char* name : {"BoldButton", "ItalicButton", "UnderlineButton"})
        checked += name != button && editor->Button(name)->isChecked();
      return checked;
    };

    // The caret goes into the styled word and out of it.
    Js(QString("(function() { var t = document.getElementById('%1').firstChild;"
               " getSelection().collapse(t, 2); })()")
           .arg(styled));
    QTRY_VERIFY(shown->isChecked());
    QCOMPARE(others(), 0);
    SelectText("p", 3, 3);
    QTRY_VERIFY(!shown->isChecked());

    // A click at the caret: the style of what is typed next, shown at once; the next click
    // takes it off again.
    shown->click();
    QVERIFY(shown->isChecked());
    QCOMPARE(Js(QString("document.queryCommandState('%1')")
                    .arg(tag == "b"   ? "bold"
                         : tag == "i" ? "italic"
                                      : "underline"))
                 .toBool(),
             true);
    shown->click();
    QVERIFY(!shown->isChecked());

    // The styled word selected, and its style taken off by a click.
    Js(QString("getSelection().selectAllChildren(document.getElementById('%1'))").arg(styled));
    QTRY_VERIFY(shown->isChecked());
    shown->click();
    QVERIFY(!shown->isChecked());
    QVERIFY2(!Js("document.body.innerHTML").toString().contains("<" + tag + " "),
             qPrintable(Js("document.body.innerHTML").toString()));
    // Undo puts the style back, and the button follows.
    editor->Button("UndoButton")->click();
    QTRY_VERIFY(shown->isChecked());

    // A refused command leaves the button as the style is.
    SelectPicture();
    QTRY_VERIFY(!shown->isChecked());
    shown->click();
    QCOMPARE(prompts->said.back(), std::string("warning: Дана команда не підтримується !"));
    QVERIFY(!shown->isChecked());
  }

  // Ctrl+B in the page is followed as the button is: at the caret, where it only sets the
  // style of what is typed next, and on a selection.
  void theBoldButtonFollowsCtrlB() {
    OpenPage(*dir / "page.htm");
    QToolButton* bold = editor->Button("BoldButton");
    CaretAtEndOf("p");
    editor->WebBrowser1()->setFocus();
    QTest::keyClick(editor->WebBrowser1()->focusProxy(), Qt::Key_B, Qt::ControlModifier);
    QTRY_VERIFY(bold->isChecked());
    QTest::keyClicks(editor->WebBrowser1()->focusProxy(), "x");
    QTRY_COMPARE(Html("p"), QString("Привіт світ<b>x</b>"));
    QTest::keyClick(editor->WebBrowser1()->focusProxy(), Qt::Key_B, Qt::ControlModifier);
    QTRY_VERIFY(!bold->isChecked());

    SelectText("p", 0, 6);
    QTest::keyClick(editor->WebBrowser1()->focusProxy(), Qt::Key_B, Qt::ControlModifier);
    QTRY_VERIFY(Html("p").startsWith("<b>Привіт</b>"));
    QTRY_VERIFY(bold->isChecked());
  }

  // The page's text reaches the picture's view through a file: a page that would pass 2 MB
  // once percent-encoded still comes out with its text, and the copy is removed.
  void aLargePageMakesAPictureWithItsText() {
    std::string text = "<html><head><meta http-equiv=\"Content-Type\" "
                       "content=\"text/html; charset=windows-1251\"></head><body>\r\n";
    const std::string line =
        "<p>Довгий урок про кириличні літери, що займають багато місця.</p>\r\n";
    // Lines enough for 3 MB once percent-encoded.
    const auto lineBytes = QUrl::toPercentEncoding(QString::fromStdString(line)).size();
    for (auto bytes = lineBytes; bytes < 3 * 1024 * 1024; bytes += lineBytes)
      text += line;
    text += "</body></html>\r\n";
    WriteBytes(*dir / "large.htm", W(text));
    OpenPage(*dir / "large.htm");
    const auto copies = TemporaryPages();

    prompts->savedFiles = {ChosenFile{*dir / "large", 0}};
    editor->SavePictureItemClick();
    QCOMPARE(prompts->said.size(), size_t(1)); // the chooser, and no error
    const QImage bmp(QString::fromStdString((*dir / "large.Bmp").string()), "BMP");
    QCOMPARE(bmp.size(), editor->WebBrowser1()->screen()->size());
    QVERIFY(HasDarkPixels(bmp));
    QCOMPARE(TemporaryPages(), copies);
  }

  // A page that does not finish loading for its picture (one of its pictures never comes) is
  // reported, and no picture is written.
  void aPageThatDoesNotLoadIsReportedAndNoPictureIsWritten() {
    const SilentPipe late(*dir / "late.bmp");
    OpenPage(*dir / "page.htm");
    CaretAtEndOf("r");
    editor->Engine().InsertImage("late.bmp");
    const auto copies = TemporaryPages();

    prompts->savedFiles = {ChosenFile{*dir / "late", 0}};
    SavePagePicture(editor->Engine(), editor->WebBrowser1(), *prompts, std::chrono::seconds(2));
    QCOMPARE(prompts->said.size(), size_t(2));
    QCOMPARE(prompts->said[1],
             "error: Не вдалося побудувати зображення сторінки \"" + (*dir / "page.htm").string() +
                 "\".\r\nСторінка не завантажилася за 2 с: вона чекає на зображення чи інший файл, "
                 "який не надходить.");
    QVERIFY(!fs::exists(*dir / "late.Bmp"));
    QCOMPARE(TemporaryPages(), copies);
  }
};

} // namespace

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  EditorWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "editor_window_test.moc"
