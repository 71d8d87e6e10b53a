// The styles window under the offscreen platform with scripted answers: the list of the
// Styles folder and its commands, the icon size limits, OK, cancel and the closing rule.
#include "settings/ui/styles_box.h"

#include "support/dialog_test_support.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "widgets/input_box.h"
#include "widgets/search_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QtTest>

#include <algorithm>

namespace {

using namespace quarbel;
using namespace quarbel::testing;
namespace fs = std::filesystem;

fs::path Picture(const fs::path& path, int width, int height, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::blue);
  if (!image.save(QString::fromStdString(path.string()), format))
    throw std::runtime_error("cannot write the test picture");
  return path;
}

class StylesBoxTest : public QObject {
  Q_OBJECT

private:
  std::unique_ptr<TempDir> dir;
  std::unique_ptr<ScriptedPrompts> prompts;
  Prompts* door = nullptr;
  std::unique_ptr<QWidget> owner;
  SearchWindow* search = nullptr;
  NameInputWindow* input = nullptr;
  StylesWindow* box = nullptr;

  fs::path Styles() const { return *dir / "Styles"; }
  QStringList Entries() const {
    QStringList entries;
    for (int i = 0; i < box->ListBox1()->count(); ++i)
      entries << box->ListBox1()->item(i)->text();
    return entries;
  }
  // Opens the window, runs `action` in it and closes it with OK or Esc.
  void InWindow(std::function<void()> action, bool ok) {
    WhenDialogOpens(box, [this, action, ok] {
      action();
      if (ok)
        box->OKButtonClick();
      else
        QTest::keyClick(box, Qt::Key_Escape);
    });
    box->Open();
    QVERIFY(!box->isVisible());
  }

private slots:
  void init() {
    dir = std::make_unique<TempDir>();
    fs::create_directory(Styles());
    prompts = std::make_unique<ScriptedPrompts>();
    door = prompts.get();
    owner = std::make_unique<QWidget>();
    search = new SearchWindow(owner.get());
    input =
        new NameInputWindow(owner.get(), [this](const std::string& text) { door->Warning(text); });
    box = new StylesWindow(owner.get(), Styles(), door, search, input);
  }
  void cleanup() { owner.reset(); }

  void startsWithTheDefaultStyleSheetAndSelectsItOnOpening() {
    WriteBytes(Styles() / "Blue.css", "b");
    WriteBytes(Styles() / "Default.css", "d");
    QCOMPARE(box->Choice().styleFile, PathText(Styles() / "Default.css"));
    QVERIFY(!box->Choice().defaultStyle);
    QVERIFY(box->Choice().navigation);
    InWindow(
        [&] {
          QCOMPARE(box->Pager()->currentIndex(), 0);
          QStringList sorted = Entries();
          sorted.sort();
          QCOMPARE(sorted, (QStringList{"Blue", "Default"}));
          QCOMPARE(box->ListBox1()->currentItem()->text(), QString("Default"));
          QVERIFY(box->ListBox1()->isEnabled() && box->OpenButton()->isEnabled());
          QVERIFY(!box->Panel(0)->isEnabled());
          QCOMPARE(box->focusWidget(), box->OnDefaultCheckBox());
          // The default style check box swaps what can be used and clears the selection.
          box->OnDefaultCheckBox()->click();
          QVERIFY(box->Panel(0)->isEnabled() && box->Panel(2)->isEnabled());
          QVERIFY(!box->ListBox1()->isEnabled() && !box->OpenButton()->isEnabled());
          QVERIFY(box->ListBox1()->selectedItems().isEmpty());
          box->OnDefaultCheckBox()->click();
          QVERIFY(box->ListBox1()->selectedItems().isEmpty());
          box->Pager()->setCurrentIndex(1);
        },
        true);
    // No entry selected: OK takes the first one.
    QCOMPARE(box->Choice().styleFile,
             PathText(Styles() / (Entries().first().toStdString() + ".css")));
    // Every opening starts on the styles page.
    InWindow([&] { QCOMPARE(box->Pager()->currentIndex(), 0); }, false);
  }

  void anEmptyFolderBringsTheDefaultStyleBack() {
    InWindow([] {}, true);
    QVERIFY(box->Choice().defaultStyle);
    QVERIFY(box->Choice().styleFile.empty());
    QVERIFY(box->OnDefaultCheckBox()->isChecked());
  }

  void cancelPutsBackEveryChoice() {
    WriteBytes(Styles() / "Default.css", "d");
    const StyleChoice before = box->Choice();
    const fs::path home = Picture(*dir / "home.BMP", 20, 30, "BMP");
    InWindow(
        [&] {
          box->OnDefaultCheckBox()->click();
          prompts->colours = {RgbColor{1, 2, 3}, std::nullopt};
          box->PanelClick(0);
          box->PanelClick(1); // cancelled: unchanged
          QCOMPARE(box->Choice().menuColour, (RgbColor{1, 2, 3}));
          QCOMPARE(box->Choice().pageColour, before.pageColour);
          prompts->files = {home};
          box->IconButtonClick(HomeIcon);
          QCOMPARE(box->Choice().icons[HomeIcon].extension, std::string(".BMP"));
          QCOMPARE(box->IconButton(HomeIcon)->iconSize(), QSize(20, 30));
          box->NCheckBox()->click();
          QVERIFY(!box->IconButton(PreviousIcon)->isEnabled());
          QVERIFY(!box->IconButton(ForwardIcon)->isEnabled());
          QVERIFY(box->IconButton(HomeIcon)->isEnabled());
        },
        false);
    QVERIFY(box->Choice() == before);
    QVERIFY(!box->OnDefaultCheckBox()->isChecked());
    QVERIFY(box->NCheckBox()->isChecked() && box->IconButton(PreviousIcon)->isEnabled());
    QCOMPARE(box->IconButton(HomeIcon)->iconSize(), QSize(48, 48));

    // The same choices with OK stay.
    prompts->colours = {RgbColor{1, 2, 3}};
    InWindow(
        [&] {
          box->OnDefaultCheckBox()->click();
          box->PanelClick(2);
        },
        true);
    QVERIFY(box->Choice().defaultStyle);
    QVERIFY(box->Choice().styleFile.empty());
    QCOMPARE(box->Choice().ruleColour, (RgbColor{1, 2, 3}));
  }

  void iconPicturesMustFitTheirButtons() {
    const fs::path big = Picture(*dir / "big.bmp", 32, 32, "BMP");
    const fs::path small = Picture(*dir / "small.Jpg", 10, 10, "JPG");
    const fs::path wide = Picture(*dir / "wide.bmp", 49, 48, "BMP");
    const fs::path most = Picture(*dir / "most.bmp", 48, 48, "BMP");
    prompts->files = {big, small};
    box->IconButtonClick(PlusIcon);
    QCOMPARE(prompts->said[1],
             std::string("information: Розмір зображення має недопустимі межі !"));
    QCOMPARE(prompts->said.size(), size_t(3)); // chooser, refusal, chooser again
    QCOMPARE(box->Choice().icons[PlusIcon].bytes, ReadFileBytes(small));
    QCOMPARE(box->Choice().icons[PlusIcon].extension, std::string(".Jpg"));

    prompts->said.clear();
    prompts->files = {wide, most};
    box->IconButtonClick(HomeIcon);
    QCOMPARE(prompts->said[1],
             std::string("information: Розмір зображення має недопустимі межі !"));
    QCOMPARE(box->Choice().icons[HomeIcon].bytes, ReadFileBytes(most));

    // A missing file ends the loop; a cancelled chooser changes nothing.
    prompts->said.clear();
    prompts->files = {*dir / "none.bmp", fs::path()};
    box->IconButtonClick(MinusIcon);
    QCOMPARE(prompts->said.back(), std::string("warning: Не вдалося знайти зазначений файл !"));
    box->IconButtonClick(MinusIcon);
    QVERIFY(box->Choice().icons[MinusIcon].bytes.empty());
  }

  void anIconMustBeAGifPngJpegOrBmpPicture() {
    // A portable pixmap the decoder reads, a course file, then a picture.
    const fs::path pixmap = Picture(*dir / "home.ppm", 20, 20, "PPM");
    const fs::path course = *dir / "garbage.QCT";
    WriteBytes(course, "1\r\n\tЛекція [ /a.doc ]\r\n");
    const fs::path png = Picture(*dir / "home.png", 20, 20, "PNG");
    prompts->files = {pixmap, course, png};
    box->IconButtonClick(HomeIcon);
    const std::string refusal =
        "\" не є малюнком: значок може бути лише малюнком GIF, PNG, JPEG або BMP !";
    QCOMPARE(prompts->said.size(), size_t(5)); // chooser, refusal, chooser, refusal, chooser
    QCOMPARE(prompts->said[1], "warning: Файл \"home.ppm" + refusal);
    QCOMPARE(prompts->said[3], "warning: Файл \"garbage.QCT" + refusal);
    QCOMPARE(box->Choice().icons[HomeIcon].bytes, ReadFileBytes(png));
    QCOMPARE(box->Choice().icons[HomeIcon].extension, std::string(".png"));

    // A refused file followed by Cancel leaves the icon as it was.
    prompts->said.clear();
    prompts->files = {course, fs::path()};
    box->IconButtonClick(PlusIcon);
    QCOMPARE(prompts->said.size(), size_t(3));
    QCOMPARE(prompts->said[1], "warning: Файл \"garbage.QCT" + refusal);
    QVERIFY(box->Choice().icons[PlusIcon].bytes.empty());
  }

  void theListCommandsWorkOnTheFolder() {
    WriteBytes(Styles() / "Default.css", "d");
    WriteBytes(*dir / "Blue.css", "blue");
    WriteBytes(*dir / "Red.CSS", "red");
    InWindow(
        [&] {
          QListWidget* list = box->ListBox1();
          prompts->fileLists = {{*dir / "Blue.css", *dir / "Red.CSS"}};
          box->OpenButton()->click();
          QCOMPARE(Entries(), (QStringList{"Default", "Blue", "Red"}));
          QCOMPARE(ReadFileBytes(Styles() / "Red.css"), std::string("red"));

          // Search through the main window's search box, now serving this list.
          box->FindItemClick();
          QTRY_VERIFY(search->isVisible());
          QVERIFY(search->parentWidget() == box);
          search->SearchEdit()->setText("Red");
          search->NButton()->click();
          QCOMPARE(list->currentRow(), 2);
          search->NButton()->click(); // no wrap-around
          QCOMPARE(list->currentRow(), 2);

          // Rename through the name window.
          WhenDialogOpens(input, [&] {
            QCOMPARE(input->NameEdit()->selectedText(), QString("Red"));
            input->NameEdit()->setText("Crimson");
            QTest::keyClick(input->NameEdit(), Qt::Key_Return);
          });
          box->RenameItemClick();
          QCOMPARE(list->item(2)->text(), QString("Crimson"));
          QCOMPARE(ReadFileBytes(Styles() / "Crimson.css"), std::string("red"));
          QVERIFY(!fs::exists(Styles() / "Red.css"));

          // A rename onto another style's name moves nothing and says so.
          list->setCurrentRow(1);
          WhenDialogOpens(input, [&] {
            input->NameEdit()->setText("Crimson");
            QTest::keyClick(input->NameEdit(), Qt::Key_Return);
          });
          box->RenameItemClick();
          QCOMPARE(list->item(1)->text(), QString("Blue"));
          QCOMPARE(ReadFileBytes(Styles() / "Blue.css"), std::string("blue"));
          QVERIFY(prompts->said.back().find("warning:") == 0);

          // Delete asks first.
          prompts->said.clear();
          prompts->answers = {Answer::No, Answer::Yes};
          box->DeleteItemClick();
          QVERIFY(fs::exists(Styles() / "Blue.css"));
          box->DeleteItemClick();
          QCOMPARE(prompts->said, (std::vector<std::string>(
                                      2, "question: Ви дійсно бажаєте видалити даний елемент ?")));
          QVERIFY(!fs::exists(Styles() / "Blue.css"));
          QCOMPARE(Entries(), (QStringList{"Default", "Crimson"}));

          prompts->answers = {Answer::Yes};
          box->ClearItemClick();
          QCOMPARE(prompts->said.back(),
                   std::string("question: Ви дійсно бажаєте очистити список ?"));
          QVERIFY(Entries().isEmpty());
          QVERIFY(StyleFolder(Styles()).List().empty());
        },
        false);
    // Closing with an empty list turns the default style on, even after cancel.
    QVERIFY(box->Choice().defaultStyle);
    QVERIFY(box->Choice().styleFile.empty());
    QVERIFY(!search->isVisible());
  }

  void theRightButtonSelectsBeforeThePopupMenu() {
    WriteBytes(Styles() / "Default.css", "d");
    WriteBytes(Styles() / "Other.css", "o");
    InWindow(
        [&] {
          QListWidget* list = box->ListBox1();
          list->setCurrentRow(-1);
          list->clearSelection();
          const QPoint second = list->visualItemRect(list->item(1)).center();
          emit list->customContextMenuRequested(second);
          QTRY_VERIFY(box->PopupMenu()->isVisible());
          QCOMPARE(list->currentRow(), 1);
          QVERIFY(list->item(1)->isSelected());
          for (const char* name : {"OpenItem", "FindItem", "RenameItem", "DeleteItem", "ClearItem"})
            QVERIFY(box->PopupMenu()->findChild<QAction*>(name)->isEnabled());
          box->PopupMenu()->hide();
        },
        false);
    fs::remove(Styles() / "Default.css");
    fs::remove(Styles() / "Other.css");
    InWindow(
        [&] {
          emit box->ListBox1()->customContextMenuRequested(QPoint(5, 5));
          QTRY_VERIFY(box->PopupMenu()->isVisible());
          QVERIFY(box->PopupMenu()->findChild<QAction*>("OpenItem")->isEnabled());
          for (const char* name : {"FindItem", "RenameItem", "DeleteItem", "ClearItem"})
            QVERIFY(!box->PopupMenu()->findChild<QAction*>(name)->isEnabled());
          box->PopupMenu()->hide();
        },
        false);
  }
};

} // namespace

QTEST_MAIN(StylesBoxTest)
#include "styles_box_test.moc"
