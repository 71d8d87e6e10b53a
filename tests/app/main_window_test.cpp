// The main window under the offscreen platform, with scripted answers: commands through
// their menus, dialogs and keys, the pop-up menu's state, conversion and closing.
#include "app/main_window.h"
#include "widgets/guarded_application.h"
#include "widgets/program_splash.h"

#include "app/about_box.h"
#include "editor/vision_editor_box.h"
#include "editor/wb_edit.h"
#include "records/ui/record_page_box.h"
#include "widgets/text_edit_menu.h"

#include "generator/fake_word_processor.h"
#include "generator/ui/loading_box.h"
#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoder.h"
#include "settings/ui/parameters_box.h"
#include "settings/ui/styles_box.h"
#include "structure/ui/open_options_box.h"
#include "structure/ui/structure_view.h"
#include "support/dialog_test_support.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/text_case.h"
#include "widgets/folder_chooser.h"
#include "widgets/input_box.h"
#include "widgets/picture_fitting.h"
#include "widgets/search_box.h"

#include <atomic>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QtTest>

namespace {

using namespace quarbel;
using namespace quarbel::testing;
namespace fs = std::filesystem;

// An object whose event handler fails the way a window command may: with any exception.
class Failing : public QObject {
public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User)
      throw std::runtime_error("a library's failure");
    if (event->type() == QEvent::User + 1)
      throw 42;
    return QObject::event(event);
  }
};

class MainWindowTest : public QObject {
  Q_OBJECT

private:
  std::unique_ptr<MainWindow> box;
  std::unique_ptr<ScriptedPrompts> prompts;
  std::unique_ptr<TempDir> dir;

  QAction* PopupItem(const char* name) { return box->PopupMenu1()->findChild<QAction*>(name); }
  void Activate() {
    box->show();
    box->activateWindow();
    QApplication::setActiveWindow(box.get());
    QTRY_VERIFY(box->isActiveWindow());
  }

private slots:
  void windowsHaveTheirFixedSizesAndTheMainWindowStartsCentred() {
    struct Case {
      QWidget* window;
      QSize drawn;
    } cases[] = {{box->SearchBox(), {378, 37}},
                 {box->ParametersBox(), {340, 210}},
                 {box->AboutBox(), {293, 404}},
                 {box->TPageBox(), {}},
                 {box->APageBox(), {}}};
    for (const Case& c : cases) {
      QCOMPARE(c.window->minimumSize(), c.window->maximumSize());
      QVERIFY(c.window->width() >= c.drawn.width() && c.window->height() >= c.drawn.height());
    }
    MainWindow fresh(QUARBEL_PROGRAM_DIR);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(fresh.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(fresh.geometry().center().y() - screen.center().y()) <= 1);
  }

  void aClickOnTheSplashBringsTheMainWindowAtOnce() {
    int shown = 0;
    ProgramSplash splash(QPixmap(50, 20), [&] { ++shown; });
    splash.show();
    QTest::mouseClick(&splash, Qt::LeftButton);
    QCOMPARE(shown, 1);
    QVERIFY(!splash.isVisible());
    splash.Dismiss(); // the timer's end afterwards shows nothing twice
    QCOMPARE(shown, 1);
  }

  void theMemoFieldsHaveTheTextEditingMenu() {
    auto* memo = static_cast<QPlainTextEdit*>(box->TPageBox()->Field("AMemo"));
    QCOMPARE(memo->contextMenuPolicy(), Qt::CustomContextMenu);
    memo->setPlainText(QStringLiteral("Іваненко"));
    memo->selectAll();
    std::unique_ptr<QMenu> menu(TextEditingMenu(nullptr, memo));
    QStringList items;
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator())
        items << action->text();
    }
    QCOMPARE(items, (QStringList{"Відмінити введення", "Вирізати", "Копіювати", "Вставити",
                                 "Видалити", "Виділити все"}));
    menu->actions().at(5)->trigger(); // Видалити
    QCOMPARE(memo->toPlainText(), QString());
  }

  void anUnknownInterfaceStyleGivesTheFirstScheme() {
    box->ParametersBox()->ApplyInterfaceStyle(QStringLiteral("Windows XP"));
    const QString xp = qApp->styleSheet();
    box->ParametersBox()->ApplyInterfaceStyle(QStringLiteral("No such style"));
    QCOMPARE(box->ParametersBox()->StylerComboBox()->currentText(),
             QStringLiteral("Microsoft Office 2007 - Luna"));
    QVERIFY(!qApp->styleSheet().isEmpty());
    QVERIFY(qApp->styleSheet() != xp);
  }

  void theSettingsOfTheLastRunComeBackAsTheyWere() {
    ProgramSettings settings;
    settings.movingPanel = false;
    settings.style = "Windows XP";
    settings.encoding = OutputEncoding::Utf8;
    settings.layout = TextbookLayout::Modern;
    settings.title.save = false;
    settings.title.toggle = true;
    settings.title.texts[University] = W("Університет");
    settings.title.texts[Discipline] = W("Фізика");
    settings.author.toggle = false;
    settings.author.texts[Surname] = W("Шевченко");
    settings.author.pictureBytes = "GIF89a";
    settings.author.extension = ".gif";
    settings.author.pictureChecked = true;
    settings.wordProcessorMemoryMB = 2048; // not the window's: kept as it was
    box->ApplySettings(settings);
    QVERIFY(!box->MovingPanel()->isVisible());
    QCOMPARE(box->ParametersBox()->Encoding(), OutputEncoding::Utf8);
    QVERIFY(box->TitlePageOn());
    QVERIFY(!box->AuthorPageOn());
    const ProgramSettings back = box->CollectSettings(settings);
    QCOMPARE(back.movingPanel, false);
    QCOMPARE(back.style, settings.style);
    QCOMPARE(back.encoding, OutputEncoding::Utf8);
    QVERIFY(back.layout == TextbookLayout::Modern);
    QCOMPARE(box->ParametersBox()->LayoutComboBox()->currentText(), QStringLiteral("Сучасний"));
    QCOMPARE(back.title.save, false);
    QCOMPARE(back.title.toggle, true);
    QCOMPARE(back.author.toggle, false);
    QVERIFY(back.title.texts == settings.title.texts);
    QVERIFY(back.author.texts == settings.author.texts);
    QCOMPARE(back.author.pictureBytes, settings.author.pictureBytes);
    QCOMPARE(back.wordProcessorMemoryMB, size_t(2048));
  }

  void theStylesWindowsChoiceComesBackAfterARestart() {
    // The window's start when the settings file keeps no choice.
    const StyleChoice start = box->StylesBox()->Choice();
    box->ApplySettings(ProgramSettings());
    QVERIFY(box->StylesBox()->Choice() == start);
    QCOMPARE(box->CollectSettings(ProgramSettings()).look->styleFile, std::string("Default.css"));

    StyleChoice look;
    look.defaultStyle = true;
    look.menuColour = {1, 2, 3};
    look.navigation = false;
    look.icons[HomeIcon] = {"GIF89a", ".gif"};
    ProgramSettings settings;
    settings.look = look;
    box->ApplySettings(settings);
    QVERIFY(box->StylesBox()->Choice() == look);
    QVERIFY(!box->StylesBox()->NCheckBox()->isChecked());
    QVERIFY(box->CollectSettings(ProgramSettings()).look == look);

    // A style sheet kept by name is found in the Styles folder again; one that is gone
    // leaves the start.
    look.defaultStyle = false;
    look.styleFile = "Default.css";
    settings.look = look;
    box->ApplySettings(settings);
    QCOMPARE(box->StylesBox()->Choice().styleFile, start.styleFile);
    QVERIFY(!box->StylesBox()->Choice().navigation);
    look.styleFile = "Gone.css";
    settings.look = look;
    box->ApplySettings(settings);
    QCOMPARE(box->StylesBox()->Choice().styleFile, start.styleFile);
  }

  void anExceptionEscapingAnEventHandlerIsReportedAndTheProgramGoesOn() {
    auto* guarded = static_cast<GuardedApplication*>(QCoreApplication::instance());
    guarded->SetErrorReport(prompts.get());
    Failing failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&failing, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
    QCoreApplication::processEvents();
    guarded->SetErrorReport(nullptr);
    QCOMPARE(prompts->said, (std::vector<std::string>{"error: Внутрішня помилка програми.",
                                                      "error: Внутрішня помилка програми."}));
    // The program goes on: the window still takes commands.
    box->show();
    QVERIFY(box->isVisible());
  }

  void init() {
    dir = std::make_unique<TempDir>();
    prompts = std::make_unique<ScriptedPrompts>();
    box = std::make_unique<MainWindow>(QUARBEL_PROGRAM_DIR);
    box->SetPrompts(prompts.get());
    box->SetWordRunning([] { return false; });
    box->SetWordProcessorFactory([] { return std::make_unique<FakeWordProcessor>(); });
    Activate();
  }
  void cleanup() {
    box->Commands().modified = false;
    box.reset();
  }

  void createsItemsThroughTheNameDialogWithItsChecks() {
    NameInputWindow* input = box->InputBox();
    WhenDialogOpens(input, [&] {
      QCOMPARE(input->windowTitle(), QString("Створити пункт"));
      input->NameEdit()->setText("a[b");
      QTest::keyClick(input->NameEdit(), Qt::Key_Return); // refused: the dialog stays
      QVERIFY(input->isVisible());
      input->NameEdit()->setText(QStringLiteral("Розділ 1"));
      QTest::keyClick(input->NameEdit(), Qt::Key_Return);
    });
    box->AddItemClick();
    QCOMPARE(prompts->said,
             (std::vector<std::string>{"warning: Ім'я неповинне містити символів : \"[\", \"]\""}));
    QCOMPARE(U(box->Tree().roots().at(0)->text), std::string("Розділ 1"));
    QVERIFY(box->Commands().modified);
    QCOMPARE(box->TreeView1()->topLevelItemCount(), 1);
    QCOMPARE(box->TreeView1()->topLevelItem(0)->text(0), QString("Розділ 1"));
  }

  void keysActOnlyWhileTheMainWindowIsActive() {
    box->Tree().AddLast(nullptr, "A");
    box->TreeView1()->Rebuild();
    QTest::keyClick(box.get(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(box->SearchBox()->isVisible());
    // Keys typed in the search window reach the search, not the structure.
    QTRY_VERIFY(box->SearchBox()->isActiveWindow() || !box->isActiveWindow());
    QTest::keyClick(box->SearchBox()->SearchEdit(), Qt::Key_Delete);
    QVERIFY(prompts->said.empty()); // no delete question
    box->SearchBox()->SearchEdit()->setText("A");
    box->SearchBox()->NButton()->click();
    QCOMPARE(box->Commands().selected, box->Tree().roots()[0].get());
    box->SearchBox()->close();
    Activate();
    prompts->answers = {Answer::No};
    QTest::keyClick(box.get(), Qt::Key_Delete);
    QCOMPARE(prompts->said,
             (std::vector<std::string>{
                 "question: Ви дійсно бажаєте видалити даний елемент зі структури ?"}));
  }

  void f2RenamesAndEnterOnAnItemDoesNothing() {
    box->Tree().AddLast(nullptr, W("Лекція [ /k/Лекція.doc ]"));
    box->Commands().selected = box->Tree().roots()[0].get();
    box->TreeView1()->Rebuild();
    NameInputWindow* input = box->InputBox();
    WhenDialogOpens(input, [&] {
      QCOMPARE(input->windowTitle(), QString("Перейменувати"));
      QCOMPARE(input->NameEdit()->text(), QStringLiteral("Лекція"));
      QCOMPARE(input->NameEdit()->selectedText(), QStringLiteral("Лекція"));
      input->NameEdit()->setText(QStringLiteral("Вступ"));
      QTest::keyClick(input->NameEdit(), Qt::Key_Return);
    });
    QTest::keyClick(box.get(), Qt::Key_F2);
    QCOMPARE(U(box->Tree().roots()[0]->text), std::string("Вступ [ /k/Лекція.doc ]"));
    QVERIFY(box->Commands().modified);

    box->Tree().AddLast(nullptr, "Item");
    box->Commands().selected = box->Tree().roots()[1].get();
    box->TreeView1()->Rebuild();
    QTest::keyClick(box.get(), Qt::Key_Return); // an item node opens nothing
    QVERIFY(prompts->said.empty());
  }

  void theMovingPanelKeepsToTheLowerRightCorner() {
    box->resize(700, 500);
    QTRY_COMPARE(box->MovingPanel()->geometry().bottomRight(),
                 box->centralWidget()->geometry().bottomRight() - QPoint(18, 18));
    box->resize(500, 300);
    QTRY_COMPARE(box->MovingPanel()->geometry().bottomRight(),
                 box->centralWidget()->geometry().bottomRight() - QPoint(18, 18));
  }

  void thePopupMenuNeedsNodesForSomeItems() {
    box->UpdateMenuStateForTest();
    QVERIFY(!PopupItem("DeleteItem")->isEnabled());
    QVERIFY(!PopupItem("ClearItem")->isEnabled());
    box->Tree().AddLast(nullptr, "A");
    box->UpdateMenuStateForTest();
    QVERIFY(PopupItem("DeleteItem")->isEnabled());
    QVERIFY(PopupItem("RenameItem")->isEnabled());
  }

  void addingDocumentsAsksWhereToPutThem() {
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf"})
      WriteBytes(*dir / name, "x");
    box->Tree().AddLast(nullptr, "Top");
    box->Commands().selected = box->Tree().roots()[0].get();
    box->TreeView1()->Rebuild();
    prompts->fileLists = {{*dir / "a.pdf", *dir / "b.pdf", *dir / "c.pdf"}};
    OpenOptionsWindow* options = box->OpenOptionsBox();
    int shown = 0;
    WhenDialogOpens(options, [&] {
      ++shown;
      QVERIFY(options->RadioButton1()->isChecked());
      QVERIFY(options->ForAllCheckBox()->isChecked());
      options->RadioButton2()->setChecked(true);
      options->findChild<QPushButton*>("OKButton")->click();
    });
    box->OpenButtonClick();
    QCOMPARE(shown, 1);
    QCOMPARE(box->Tree().roots()[0]->children.size(), size_t(3));
    QVERIFY(box->Tree().roots()[0]->expanded);

    // The next batch starts at the answer the teacher gave last.
    WriteBytes(*dir / "d.pdf", "x");
    box->Commands().selected = box->Tree().roots()[0].get();
    box->TreeView1()->Rebuild();
    prompts->fileLists = {{*dir / "d.pdf"}};
    WhenDialogOpens(options, [&] {
      ++shown;
      QVERIFY(options->RadioButton2()->isChecked());
      options->findChild<QPushButton*>("OKButton")->click();
    });
    box->OpenButtonClick();
    QCOMPARE(shown, 2);
    QCOMPARE(box->Tree().roots()[0]->children.size(), size_t(4));
  }

  // The entries the open button lists after its two commands.
  QStringList RecentEntries() {
    QStringList entries;
    for (QAction* action : box->OpenMenu()->actions())
      if (action->objectName().startsWith("RecentStructure"))
        entries << action->text();
    return entries;
  }

  void theOpenButtonListsTheLastStructuresAndOpensThem() {
    const fs::path first = *dir / "Перший курс.QCT";
    const fs::path second = *dir / "R&D.qct";
    box->Tree().AddLast(nullptr, W("Вступ"));
    prompts->files = {first};
    box->TreeViewSaveAsItemClick();
    box->Tree().Clear();
    box->Tree().AddLast(nullptr, "Other");
    prompts->files = {second};
    box->TreeViewSaveAsItemClick();
    QCOMPARE(RecentEntries(), (QStringList{"&1 " + QString::fromStdString(*dir / "R&&D.qct"),
                                           "&2 " + QString::fromStdString(first)}));

    // The older one, from the list: it opens and moves to the top.
    box->OpenMenu()->findChild<QAction*>("RecentStructure2")->trigger();
    QCOMPARE(box->Tree().roots()[0]->text, W("Вступ"));
    QCOMPARE(box->Commands().structureFileName, first);
    QCOMPARE(box->CollectSettings(ProgramSettings()).recentStructures,
             (std::vector<std::string>{PathText(first), PathText(second)}));

    // A file that is gone is named in the warning and leaves the list.
    fs::remove(second);
    box->OpenMenu()->findChild<QAction*>("RecentStructure2")->trigger();
    QCOMPARE(prompts->said.back(),
             "warning: Не вдалося знайти зазначений файл !\n" + second.string());
    QCOMPARE(RecentEntries(), (QStringList{"&1 " + QString::fromStdString(first)}));
    QCOMPARE(box->Tree().roots()[0]->text, W("Вступ"));

    // The list comes from the settings of the last run, at most five.
    ProgramSettings settings;
    for (int i = 1; i <= 5; ++i)
      settings.recentStructures.push_back("/courses/" + std::to_string(i) + ".QCT");
    box->ApplySettings(settings);
    QCOMPARE(RecentEntries().size(), 5);
    QCOMPARE(RecentEntries().first(), QStringLiteral("&1 /courses/1.QCT"));
  }

  void convertingWithF3OrTheButtonWritesTheTextbookAndOffersToOpenIt() {
    std::vector<fs::path> opened;
    box->SetOpenFile([&](const fs::path& file) { opened.push_back(file); });
    WriteBytes(*dir / "a.pdf", "x");
    box->Tree().AddLast(nullptr, "a [ " + (*dir / "a.pdf").string() + " ]");
    box->TreeView1()->Rebuild();
    prompts->folders = {*dir / "book"};
    QTest::keyClick(box.get(), Qt::Key_F3);
    QCOMPARE(prompts->said.back(),
             std::string("information: Конвертування успішно завершено ! [Відкрити посібник]"));
    QVERIFY(fs::exists(*dir / "book" / "index.html"));
    QVERIFY(!box->findChild<LoadingWindow*>()->isVisible());
    QVERIFY(opened.empty()); // OK: nothing is opened

    // The button on the main tool bar page; the offer taken opens the textbook's first page.
    auto* pager = box->findChild<QTabWidget*>("ToolPager");
    auto* convert = box->findChild<QToolButton*>("ConvertButton");
    QVERIFY(convert);
    QCOMPARE(convert->text(), QStringLiteral("Конвертувати"));
    QVERIFY(pager->widget(0)->isAncestorOf(convert));
    prompts->folders = {*dir / "book2"};
    prompts->offers = {true};
    convert->click();
    QCOMPARE(opened, (std::vector<fs::path>{*dir / "book2" / "index.html"}));

    // The look chosen in the parameters window.
    box->ParametersBox()->SetLayout(TextbookLayout::Modern);
    prompts->folders = {*dir / "modern"};
    convert->click();
    QVERIFY(fs::exists(*dir / "modern" / "assets" / "search.js"));
    QVERIFY(!fs::exists(*dir / "modern" / "menu.html"));

    // The packages: from the arrow beside the button and from the save menu, beside the
    // textbook's folder, named in the success message.
    QCOMPARE(convert->popupMode(), QToolButton::MenuButtonPopup);
    const struct {
      const char* item;
      const char* folder;
      const char* package;
    } packages[] = {{"ConvertScormItem", "scorm", "scorm.zip"},
                    {"ConvertEpubItem", "epub", "epub.epub"},
                    {"SaveEpubItem", "epub2", "epub2.epub"}};
    for (const auto& choice : packages) {
      QMenu* menu = QString(choice.item).startsWith("Save") ? box->findChild<QMenu*>("SaveMenu")
                                                            : convert->menu();
      QVERIFY2(menu, choice.item);
      auto* action = menu->findChild<QAction*>(choice.item);
      QVERIFY2(action, choice.item);
      prompts->folders = {*dir / choice.folder};
      action->trigger();
      QCOMPARE(prompts->said.back(), "information: Конвертування успішно завершено !\nПакет: " +
                                         (*dir / choice.package).string() + " [Відкрити посібник]");
      QVERIFY(fs::exists(*dir / choice.folder / "index.html"));
      QVERIFY(fs::file_size(*dir / choice.package) > 0);
    }
    // The plain conversion makes no package.
    QVERIFY(!fs::exists(*dir / "modern.zip") && !fs::exists(*dir / "modern.epub"));
  }

  void theFolderChooserMakesANewFolderTypedIntoIt() {
    std::vector<std::string> warnings;
    const auto warn = [&](const std::string& text) { warnings.push_back(U(text)); };
    // Types `name` into the chooser and presses its accept button.
    const auto choose = [&](const QString& name) {
      FolderChooser chooser(nullptr, QStringLiteral("Виберіть папку для збереження"), warn);
      chooser.setDirectory(QString::fromStdString(dir->path().string()));
      QTimer::singleShot(0, &chooser, [&] {
        auto* field = chooser.findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(field);
        field->setText(name);
        QMetaObject::invokeMethod(&chooser, "accept"); // as the chooser's own button does
        if (chooser.isVisible())
          chooser.reject();
      });
      return chooser.Choose();
    };
    QCOMPARE(choose(QStringLiteral("Новий посібник")), std::optional(*dir / "Новий посібник"));
    QVERIFY(fs::is_directory(*dir / "Новий посібник"));
    QCOMPARE(choose(QStringLiteral("Новий посібник")), std::optional(*dir / "Новий посібник"));

    // A name that cannot be a folder is reported and the chooser stays open.
    WriteBytes(*dir / "file.txt", "x");
    QCOMPARE(choose(QStringLiteral("file.txt/book")), std::optional<fs::path>());
    QCOMPARE(warnings.size(), size_t(1));
    QVERIFY(warnings[0].starts_with("Не вдалося створити папку \"" +
                                    (*dir / "file.txt/book").string() + "\": "));
    QVERIFY(
        QString::fromStdString(warnings[0]).endsWith(QStringLiteral("частина шляху не є папкою")));
  }

  void aWordProcessorWaitsInTheBackgroundWhileTheCourseHasAWordDocument() {
    // Word processors as the window makes them: how many, and what became of each.
    struct Counted : FakeWordProcessor {
      explicit Counted(std::atomic<int>& quits) : quits_(quits) {}
      void quit() override {
        ++quits_;
        FakeWordProcessor::quit();
      }
      std::atomic<int>& quits_;
    };
    std::atomic<int> made{0}, quits{0};
    box->SetWordJobs(1);
    box->SetWordProcessorFactory([&] {
      ++made;
      return std::make_unique<Counted>(quits);
    });
    box->SetOpenFile([](const fs::path&) {});
    for (const char* name : {"a.pdf", "b.docx"})
      WriteBytes(*dir / name, "x");

    // No Word document: none is started.
    prompts->fileLists = {{*dir / "a.pdf"}};
    box->OpenButtonClick();
    QCOMPARE(made.load(), 0);

    // A Word document: one starts at once, before any conversion.
    prompts->fileLists = {{*dir / "b.docx"}};
    box->Commands().selected = nullptr;
    box->OpenButtonClick();
    QTRY_COMPARE(made.load(), 1); // started on the reserve's own thread

    // The conversion takes it instead of starting its own, and one waits again after it.
    prompts->folders = {*dir / "book"};
    box->ConvertClicked();
    QCOMPARE(prompts->said.back(),
             std::string("information: Конвертування успішно завершено ! [Відкрити посібник]"));
    QCOMPARE(quits.load(), 1);
    QTRY_COMPARE(made.load(), 2);

    // The Word document goes: so does the word processor.
    box->Commands().selected = box->Tree().roots()[1].get();
    prompts->answers = {Answer::Yes};
    box->DeleteItemClick();
    QCOMPARE(box->Tree().roots().size(), size_t(1));
    QTRY_COMPARE(quits.load(), 2);
    QCOMPARE(made.load(), 2);
  }

  void theConversionFollowsTheStylesWindow() {
    for (const char* name : {"a.pdf", "b.pdf"}) {
      WriteBytes(*dir / name, "x");
      box->Tree().AddLast(nullptr, std::string(name, 1) + " [ " + (*dir / name).string() + " ]");
    }
    box->TreeView1()->Rebuild();
    StylesWindow* styles = box->StylesBox();
    WhenDialogOpens(styles, [&] {
      styles->OnDefaultCheckBox()->click();
      prompts->colours = {RgbColor{0x12, 0x34, 0x56}};
      styles->PanelClick(0);
      styles->NCheckBox()->click();
      // The structure's search window serves the styles list while the window is open.
      styles->FindItemClick();
      QTRY_VERIFY(box->SearchBox()->isVisible());
      styles->OKButtonClick();
    });
    box->findChild<QToolButton*>("StylesButton")->click();
    QVERIFY(!box->SearchBox()->isVisible());
    prompts->folders = {*dir / "book"};
    box->ConvertClicked();
    QCOMPARE(prompts->said.back(),
             std::string("information: Конвертування успішно завершено ! [Відкрити посібник]"));
    QVERIFY(ReadFileBytes(*dir / "book" / "menu.css").find("#123456") != std::string::npos);
    QVERIFY(ReadFileBytes(*dir / "book" / "page1.html").find("previous") == std::string::npos);
    QVERIFY(ReadFileBytes(*dir / "book" / "page1.html").find("forward") == std::string::npos);

    // Back at the structure, the search finds nodes again.
    box->SearchItemClick();
    QVERIFY(box->SearchBox()->parentWidget() == box.get());
    box->SearchBox()->SearchEdit()->setText("b");
    box->SearchBox()->NButton()->click();
    QCOMPARE(box->Commands().selected, box->Tree().roots()[1].get());
    box->SearchBox()->close();
  }

  void parametersApplyOnlyOnOK() {
    ParametersWindow* parameters = box->ParametersBox();
    parameters->CodingComboBox()->setCurrentText("1251");
    WhenDialogOpens(parameters, [&] {
      parameters->CodingComboBox()->setCurrentText("UTF8");
      parameters->LayoutComboBox()->setCurrentIndex(1);
      parameters->MovingPanelCheckBox()->setChecked(false);
      parameters->reject();
    });
    box->ParametersButtonClick();
    QCOMPARE(parameters->Encoding(), OutputEncoding::Cp1251);
    QVERIFY(parameters->Layout() == TextbookLayout::Classic);
    QVERIFY(parameters->MovingPanelCheckBox()->isChecked());
    QVERIFY(box->MovingPanel()->isVisible());
    WhenDialogOpens(parameters, [&] {
      parameters->CodingComboBox()->setCurrentText("KOI8");
      parameters->MovingPanelCheckBox()->setChecked(false);
      parameters->StylerComboBox()->setCurrentText("Windows 7");
      parameters->LayoutComboBox()->setCurrentText(QStringLiteral("Сучасний"));
      parameters->findChild<QPushButton*>("OKButton")->click();
    });
    box->ParametersButtonClick();
    QCOMPARE(parameters->Encoding(), OutputEncoding::Koi8r);
    QVERIFY(parameters->Layout() == TextbookLayout::Modern);
    QVERIFY(!box->MovingPanel()->isVisible());
    QVERIFY(qApp->styleSheet().contains("#dbe6f4"));
  }

  void theAboutWindowShowsNoInventedContactsAndOpensTheManual() {
    AboutWindow* about = box->AboutBox();
    QStringList shown;
    for (QLabel* label : about->findChildren<QLabel*>())
      shown << label->text();
    const QString all = shown.join('\n');
    for (const char* placeholder : {"ICQ", "000000000", "@", "example"})
      QVERIFY2(!all.contains(QLatin1String(placeholder)), placeholder);
    for (const QString& expected : {QStringLiteral("Quarbel Vorizareda"), QStringLiteral("2.0.0"),
                                    QStringLiteral("Ліцензія :")})
      QVERIFY2(shown.contains(expected), qPrintable(expected));
    QVERIFY(about->ManualLabel()->text().endsWith(QStringLiteral("Help/index.html")));
    QVERIFY(std::filesystem::path(about->ManualLabel()->text().toStdString()).is_absolute());

    int opened = 0;
    AboutWindow own(nullptr, "/opt/quarbel/Help/index.html", [&] { ++opened; });
    QCOMPARE(own.ManualLabel()->text(), QStringLiteral("/opt/quarbel/Help/index.html"));
    QTest::mouseClick(own.ManualLabel(), Qt::LeftButton);
    QCOMPARE(opened, 1);
  }

  void textFieldsHaveTheTextEditingMenu() {
    QLineEdit* field = box->InputBox()->NameEdit();
    field->setText(QStringLiteral("Лекція"));
    std::unique_ptr<QMenu> menu(TextEditingMenu(nullptr, field));
    QStringList items;
    for (QAction* action : menu->actions())
      items << (action->isSeparator() ? QString("-") : action->text());
    QCOMPARE(items, (QStringList{"Відмінити введення", "-", "Вирізати", "Копіювати", "Вставити",
                                 "Видалити", "-", "Виділити все"}));
    menu->actions().last()->trigger(); // select all
    QCOMPARE(field->selectedText(), QStringLiteral("Лекція"));
    std::unique_ptr<QMenu> again(TextEditingMenu(nullptr, field));
    again->actions().at(5)->trigger(); // delete the selection
    QCOMPARE(field->text(), QString());
  }

  void theTitlePageWindowChecksItsFieldsInOrder() {
    RecordPageBox* title = box->TPageBox();
    const auto edit = [&](const char* name) { return static_cast<QLineEdit*>(title->Field(name)); };
    WhenDialogOpens(title, [&] {
      QVERIFY(title->Star(0)->styleSheet().contains("255, 0, 0"));
      for (const char* name : {"UEdit", "FEdit", "DEdit", "NEdit", "CADEdit"})
        edit(name)->setText(" ");
      QVERIFY(title->Star(0)->styleSheet().contains("0, 128, 0"));
      title->OKButtonClick(); // the authors are missing
      static_cast<QPlainTextEdit*>(title->Field("AMemo"))->setPlainText("a#b");
      title->OKButtonClick();
      static_cast<QPlainTextEdit*>(title->Field("AMemo"))
          ->setPlainText(QStringLiteral("Іваненко\nПетренко"));
      edit("SEdit")->setText("#"); // allowed in single-line fields
      QTest::keyClick(edit("NEdit"), Qt::Key_Return);
    });
    box->TitlePageButtonClicked();
    QCOMPARE(
        prompts->said,
        (std::vector<std::string>{
            "warning: Заповніть всі необхідні поля !",
            "warning: Інформація про авторів та їх регалії не повинна містити символу : \"#\""}));
    QVERIFY(box->TitlePageOn());
    QVERIFY(box->titleFilled);
    QCOMPARE(U(title->Value().texts[Authors]), std::string("Іваненко\r\nПетренко"));
  }

  void closingWithoutOkPutsBackTextAndPicture() {
    RecordPageBox* author = box->APageBox();
    QImage small(300, 300, QImage::Format_RGB32), large(301, 10, QImage::Format_RGB32);
    small.fill(Qt::red);
    large.fill(Qt::blue);
    QVERIFY(small.save(QString::fromStdString((*dir / "small.bmp").string())));
    QVERIFY(large.save(QString::fromStdString((*dir / "large.JPEG").string())));
    RecordValue value;
    value.texts[Surname] = W("Іваненко");
    author->SetValue(value);
    QVERIFY(!author->PictureCheckBox()->isEnabled() && !author->PreviewButton()->isEnabled());

    prompts->files = {*dir / "large.JPEG", *dir / "small.bmp"};
    prompts->answers = {Answer::No};
    WhenDialogOpens(author, [&] {
      author->OpenButtonClick(); // too large and not shrunk: the chooser comes again
      QVERIFY(author->PictureCheckBox()->isChecked());
      static_cast<QLineEdit*>(author->Field("SEdit"))->setText("changed");
      author->reject();
    });
    box->AuthorPageButtonClicked();
    QCOMPARE(prompts->said.size(), size_t(3)); // chooser, refusal, chooser again
    QCOMPARE(prompts->said[1],
             std::string("question: Розмір зображення перевищує допустимі межі !\r\nЗменшити "
                         "зображення до розміру 300 x 300 (зі збереженням пропорцій) і "
                         "використати його ?"));
    QCOMPARE(U(author->Value().texts[Surname]), std::string("Іваненко"));
    QVERIFY(!author->Value().picture.has_value());
    QVERIFY(!box->AuthorPageOn()); // cancelling never switches the page on

    // With a picture accepted by OK, unchecking it and cancelling brings it back.
    prompts->files = {*dir / "small.bmp"};
    WhenDialogOpens(author, [&] {
      author->OpenButtonClick();
      for (const char* name : {"NEdit", "PEdit", "REdit"})
        static_cast<QLineEdit*>(author->Field(name))->setText("x");
      author->findChild<QPushButton*>("OKButton")->click();
    });
    box->AuthorPageButtonClicked();
    QCOMPARE(author->Value().picture->extension, std::string(".bmp"));
    WhenDialogOpens(author, [&] {
      author->PictureCheckBox()->setChecked(false);
      QVERIFY(!author->PictureLoaded());
      author->reject();
    });
    box->AuthorPageButtonClicked();
    QVERIFY(author->Value().picture.has_value());
    QVERIFY(box->AuthorPageOn()); // a left click never switches the page off
  }

  void aPictureTooLargeIsShrunkToFitWhenTheTeacherAgrees() {
    RecordPageBox* title = box->TPageBox();
    // A phone's portrait photo: stored lying down, with the camera's note to turn it.
    QImage lying(900, 600, QImage::Format_RGB32);
    lying.fill(Qt::white);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 100; ++x)
        lying.setPixel(x, y, qRgb(0, 0, 255)); // a blue band at the left
    struct Case {
      const char* file;
      QImageIOHandler::Transformation turn;
      QSize size;
      const char* signature;
    };
    const Case cases[] = {
        {"phone.JPG", QImageIOHandler::TransformationRotate90, {200, 300}, "\xff\xd8"},
        {"scan.gif", QImageIOHandler::TransformationNone, {300, 200}, "GIF8"},
        {"scan.BMP", QImageIOHandler::TransformationNone, {300, 200}, "BM"},
    };
    for (const Case& c : cases) {
      const QString path = QString::fromStdString((*dir / c.file).string());
      QImageWriter writer(path, QByteArray(c.file).endsWith("gif") ? "png" : nullptr);
      if (QByteArray(c.file).endsWith("gif")) {
        // Qt writes no GIF: the program's own encoder makes the fixture.
        WriteBytes(*dir / c.file, EncodeGif(QuantiseColours(RgbImageOf(lying))));
      } else {
        writer.setTransformation(c.turn);
        QVERIFY2(writer.write(lying), qPrintable(writer.errorString()));
      }
      prompts->said.clear();
      prompts->files = {*dir / c.file};
      prompts->answers = {Answer::Yes};
      title->OpenButtonClick();
      QCOMPARE(prompts->said.size(), size_t(2)); // the chooser and the question
      QVERIFY(title->PictureLoaded());
      const RecordPicture picture = *title->Value().picture;
      QCOMPARE(picture.extension,
               LowerCaseText(std::string(c.file).substr(std::string(c.file).find('.'))));
      QVERIFY2(picture.bytes.starts_with(c.signature), c.file);
      QImage shown;
      QVERIFY(shown.loadFromData(reinterpret_cast<const uchar*>(picture.bytes.data()),
                                 static_cast<int>(picture.bytes.size())));
      QCOMPARE(shown.size(), c.size);
      // Turned upright: the band that was at the left is now at the top.
      const QPoint band =
          c.turn == QImageIOHandler::TransformationRotate90 ? QPoint(100, 5) : QPoint(5, 100);
      QVERIFY2(qBlue(shown.pixel(band)) > 200 && qRed(shown.pixel(band)) < 60, c.file);
    }
  }

  void recordFilesKeepAndBringBackARecord() {
    box->SaveTitleRecordClicked(); // never filled: nothing at all
    QVERIFY(prompts->said.empty());

    RecordValue value;
    value.texts[University] = W("Університет");
    value.texts[Authors] = std::string(1500, 'a');
    box->TPageBox()->SetValue(value);
    box->titleFilled = true;
    WriteBytes(*dir / "old.QCD", "old");
    prompts->files = {*dir / "old.QCD", *dir / "new"};
    prompts->answers = {Answer::No};
    box->SaveTitleRecordClicked();
    QCOMPARE(prompts->said,
             (std::vector<std::string>{"save: Файли Quarbel Vorizareda Data Base (*.QCD)",
                                       "question: Даний файл вже існує, бажаєте замінити його ?",
                                       "save: Файли Quarbel Vorizareda Data Base (*.QCD)"}));
    QCOMPARE(ReadFileBytes(*dir / "old.QCD"), std::string("old"));

    // Opening the author's record file with the author command fills it by position.
    prompts->said.clear();
    prompts->files = {*dir / "new"};
    box->OpenAuthorRecordClicked();
    QCOMPARE(U(box->APageBox()->Value().texts[Surname]), std::string("Університет"));
    QCOMPARE(box->APageBox()->Value().texts[Supplementary], std::string(1000, 'a'));
    QVERIFY(box->AuthorPageOn());
    QVERIFY(box->authorFilled);

    prompts->files = {*dir / "missing.QCD"};
    box->OpenTitleRecordClicked();
    QCOMPARE(prompts->said.back(), std::string("warning: Не вдалося знайти зазначений файл !"));
  }

  void theRightButtonSwitchesPagesOnlyWhenFilled() {
    const auto rightClick = [&](QToolButton* button) {
      QTest::mousePress(button, Qt::RightButton);
      QTest::mouseRelease(button, Qt::RightButton);
    };
    rightClick(box->TPageButton());
    QVERIFY(!box->TitlePageOn()); // never filled
    box->titleFilled = true;
    rightClick(box->TPageButton());
    QVERIFY(box->TitlePageOn());
    rightClick(box->TPageButton());
    QVERIFY(!box->TitlePageOn());
  }

  void closingAsksToSaveChangesThenStoresTheSettings() {
    int stored = 0;
    box->SetStoreSettings([&] { ++stored; });
    box->Commands().modified = true;
    prompts->answers = {Answer::Cancel};
    QVERIFY(!box->close());
    QCOMPARE(stored, 0); // a refused close stores nothing
    QCOMPARE(prompts->said, (std::vector<std::string>{"question: Зберегти зміни в структурі ?"}));
    prompts->answers = {Answer::No};
    QVERIFY(box->close());
    QCOMPARE(stored, 1);
  }

  void theEditorWearsTheInterfaceStyleOfTheMainWindow() {
    box->ParametersBox()->ApplyInterfaceStyle(QStringLiteral("Microsoft Office 2007 - Luna"));
    box->EditorBox()->resize(700, 500);
    const QImage main = box->findChild<QTabWidget*>("ToolPager")->grab().toImage();
    const QImage editor = box->EditorBox()->ToolBarPager1()->grab().toImage();
    qApp->setStyleSheet(QString());
    // The pages' background, right of their last group.
    const QColor expected = main.pixelColor(main.width() - 4, main.height() / 2);
    QVERIFY(expected != QApplication::palette().color(QPalette::Window));
    QCOMPARE(editor.pixelColor(editor.width() - 4, editor.height() / 2), expected);
  }

  void theEditorButtonShowsTheBlankPageAndTheEditorAsksFirstOnClose() {
    EditorWindow* editor = box->EditorBox();
    QVERIFY(!editor->isVisible());
    box->findChild<QToolButton*>("VEButton")->click();
    QVERIFY(editor->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!editor->Engine().Loading(), 15000);
    QVERIFY(!editor->DocumentLoaded());

    WriteBytes(*dir / "page.html", "<html><body><p>text</p></body></html>");
    prompts->files = {*dir / "page.html"};
    editor->OpenButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(editor->DocumentLoaded(), 15000);
    // The button again: the editor comes forward with the page as it is, edits and all.
    box->findChild<QToolButton*>("VEButton")->click();
    QVERIFY(editor->isVisible());
    QTest::qWait(200);
    QVERIFY(editor->DocumentLoaded());
    QCOMPARE(editor->CurrentFileName(), *dir / "page.html");
    // Closing the program closes the editor first, with its question; Cancel keeps both.
    prompts->said.clear();
    prompts->answers = {Answer::Cancel};
    QVERIFY(!box->close());
    QVERIFY(editor->isVisible());
    QCOMPARE(prompts->said, (std::vector<std::string>{"question: Зберегти зміни в документі ?"}));
    prompts->answers = {Answer::No};
    QVERIFY(box->close());
    QVERIFY(!editor->isVisible());
  }
};

} // namespace

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  GuardedApplication app(argc, argv);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "main_window_test.moc"
