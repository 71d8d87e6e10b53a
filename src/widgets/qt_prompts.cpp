#include "widgets/qt_prompts.h"

#include "widgets/folder_chooser.h"
#include "widgets/font_choice_dialog.h"
#include "widgets/qt_text.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quarbel {

// Messages and choosers come up over the window the user is working in (the editor, the
// styles window), or over the main window when none of the program's windows is active.
QWidget* QtPrompts::Owner() const {
  if (QWidget* active = QApplication::activeWindow())
    return active;
  return owner_;
}

namespace {

const char* const kCaption = "Quarbel Vorizareda";

QMessageBox::StandardButton Box(QWidget* owner, QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                const char* caption = kCaption) {
  QMessageBox box(icon, caption, Q(text), buttons, owner);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::filesystem::path PathOf(const QString& file) {
  return std::filesystem::path(file.toStdString());
}

} // namespace

void QtPrompts::Warning(const std::string& text) {
  Box(Owner(), QMessageBox::Warning, text, QMessageBox::Ok);
}

void QtPrompts::Information(const std::string& text) {
  Box(Owner(), QMessageBox::Information, text, QMessageBox::Ok);
}

bool QtPrompts::InformationWithOffer(const std::string& text, const std::string& offer) {
  QMessageBox box(QMessageBox::Information, kCaption, Q(text), QMessageBox::Ok, Owner());
  QPushButton* take = box.addButton(Q(offer), QMessageBox::AcceptRole);
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == take;
}

bool QtPrompts::AskYesNo(const std::string& text) {
  return Box(Owner(), QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

Answer QtPrompts::AskYesNoCancel(const std::string& text) {
  switch (Box(Owner(), QMessageBox::Question, text,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
  case QMessageBox::Yes: return Answer::Yes;
  case QMessageBox::No: return Answer::No;
  default: return Answer::Cancel;
  }
}

std::optional<std::filesystem::path> QtPrompts::ChooseFolder(const std::string& title) {
  FolderChooser chooser(Owner(), Q(title), [this](const std::string& text) { Warning(text); });
  return chooser.Choose();
}

std::optional<std::filesystem::path> QtPrompts::ChooseOpenFile(const std::string& filters) {
  QString selected = Q(PreferredOpenFilter(filters));
  const QString file =
      QFileDialog::getOpenFileName(Owner(), QString(), QString(), Q(filters), &selected);
  if (file.isEmpty())
    return std::nullopt;
  return PathOf(file);
}

std::vector<std::filesystem::path> QtPrompts::ChooseOpenFiles(const std::string& filters) {
  std::vector<std::filesystem::path> out;
  QString selected = Q(PreferredOpenFilter(filters));
  for (const QString& file :
       QFileDialog::getOpenFileNames(Owner(), QString(), QString(), Q(filters), &selected))
    out.push_back(PathOf(file));
  return out;
}

std::optional<ChosenFile> QtPrompts::SaveDialog(const std::string& filters,
                                                const std::string& defaultSuffix) {
  QFileDialog dialog(Owner(), QString(), QString(), Q(filters));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromStdString(defaultSuffix));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  const int filter = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
  return ChosenFile{PathOf(dialog.selectedFiles().first()), std::max(0, filter)};
}

std::optional<std::filesystem::path> QtPrompts::ChooseSaveFile(const std::string& filters,
                                                               const std::string& defaultSuffix) {
  if (const auto chosen = SaveDialog(filters, defaultSuffix))
    return chosen->path;
  return std::nullopt;
}

std::optional<RgbColor> QtPrompts::ChooseColour(RgbColor initial) {
  const QColor colour = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), Owner());
  if (!colour.isValid())
    return std::nullopt;
  return RgbColor{static_cast<std::uint8_t>(colour.red()),
                  static_cast<std::uint8_t>(colour.green()),
                  static_cast<std::uint8_t>(colour.blue())};
}

std::optional<ChosenFile> QtPrompts::ChooseSaveFileWithFilter(const std::string& filters) {
  return SaveDialog(filters, std::string());
}

std::optional<FontChoice> QtPrompts::ChooseFont(const FontChoice& initial) {
  FontChoiceDialog dialog(Owner());
  dialog.SetChoice(initial);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Choice();
}

void QtPrompts::ReportError(const std::string& text) {
  std::string shown = text;
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.')
    shown += '.';
  Box(Owner(), QMessageBox::Critical, shown, QMessageBox::Ok, "[ Quarbel ]");
}

} // namespace quarbel
