#pragma once

#include "prompts/prompts.h"
#include "records/record_file.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace quarbel {

// One field of a record window.
struct RecordFieldLayout {
  const char* label;
  const char* name; // the control's name: UEdit, AMemo, ...
  int text;         // its place in RecordValue::texts
  bool required;
  bool multiLine;
  int maxLength;           // 0: no limit
  const char* hashRefusal; // the message when "#" is refused in it, or nullptr
};

// What makes a record window the title page or the author window.
struct RecordPageLayout {
  const char* name; // TTPageBox, TAPageBox
  const char* caption;
  std::vector<RecordFieldLayout> fields;
  const char* pictureLabel; // "Емблема :", "Фотографія :"
  const char* pictureName;  // LogoCheckBox, PhotoCheckBox
  const char* previewCaption;
};

const RecordPageLayout& TitlePageLayout();
const RecordPageLayout& AuthorPageLayout();

// TTPageBox and TAPageBox: the record's texts and its picture, checked on OK, put back as
// they were on every close without OK. The picture is kept as the bytes it was loaded from.
class RecordPageBox : public QDialog {
  Q_OBJECT
public:
  RecordPageBox(QWidget* parent, const RecordPageLayout& page, Prompts*& prompts);

  // What the textbook, record files and settings read, and what they set.
  RecordValue Value() const;
  void SetValue(const RecordValue& value);

  bool ClosedByOk() const { return closedByOk_; }
  bool PictureLoaded() const { return !current_.bytes.empty(); }
  QWidget* Field(const char* name) const;
  QLabel* Star(int index) const;
  QCheckBox* PictureCheckBox() const { return checkBox_; }
  QPushButton* PreviewButton() const { return preview_; }
  QPushButton* OpenButton() const { return open_; }

  void OKButtonClick();
  void OpenButtonClick();
  void PreviewButtonClick();

protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

private:
  std::string Text(const RecordFieldLayout& field) const;
  void SetText(const RecordFieldLayout& field, const std::string& text);
  void RecolourStars();
  void AcceptPicture(const RecordPicture& picture);
  void RemovePicture();

  const RecordPageLayout& page_;
  Prompts*& prompts_;
  std::vector<QWidget*> fields_;
  std::vector<QLabel*> stars_;
  QPushButton* open_;
  QPushButton* preview_;
  QCheckBox* checkBox_;
  RecordPicture current_; // the picture shown and stored
  bool closedByOk_ = false;
  RecordValue snapshot_;
};

} // namespace quarbel
