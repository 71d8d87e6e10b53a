#pragma once

#include "prompts/prompts.h"

#include <QDialog>

#include <functional>
#include <string>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace quarbel {

class PageEditor;

// What the five insert windows share: a tool window above the others that does not block
// the editor, an insert that turns the engine's refusal into "Дана команда не
// підтримується !", the file chooser that minimises the window meanwhile, and the focus
// back to the page when the window closes.
class InsertBox : public QDialog {
  Q_OBJECT
public:
  // Shows the window above the others.
  void ShowOnTop();

protected:
  // `fileFilters` (UTF-8) are those of the ". . ." chooser; all files when none are given.
  InsertBox(QWidget* parent, const char* name, const QString& caption, QSize client,
            PageEditor& engine, Prompts*& prompts, const char* fileFilters = nullptr);
  // A labelled field with the text editing menu; Enter in it runs `insert`.
  QLineEdit* AddField(const QString& label, const char* name, const std::function<void()>& insert,
                      bool withOpenButton);
  // The insert button and the cancel button under the fields.
  QPushButton* AddButtons(const QString& caption, const char* name,
                          const std::function<void()>& insert);
  // Refuses empty fields with "Заповніть всі поля !"; otherwise inserts, and clears the
  // fields after the insert, also after a refused one.
  void InsertFrom(std::initializer_list<QLineEdit*> fields, const std::function<void()>& insert);
  void done(int result) override;

  PageEditor& engine_;
  Prompts*& prompts_;

private:
  void OpenButtonClick(QLineEdit* field);
  QGridLayout* grid_;
  std::string filters_; // Windows-1251
};

// InsertLinkWindow: a link with a name.
class InsertLinkWindow : public InsertBox {
  Q_OBJECT
public:
  InsertLinkWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts);
  void Open();
  void IURLButtonClick();
  QLineEdit* NameEdit() const { return name_; }
  QLineEdit* URLEdit() const { return url_; }

private:
  QLineEdit* name_;
  QLineEdit* url_;
};

// InsertImageWindow: a picture by its address.
class InsertImageWindow : public InsertBox {
  Q_OBJECT
public:
  InsertImageWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts);
  void Open();
  void IImageButtonClick();
  QLineEdit* ImageEdit() const { return image_; }

private:
  QLineEdit* image_;
};

// InsertIndexWindow: superscript or subscript text, as its caption says.
class InsertIndexWindow : public InsertBox {
  Q_OBJECT
public:
  InsertIndexWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts);
  void Open(bool subscript);
  void IIndexButtonClick();
  QLineEdit* IndexEdit() const { return index_; }

private:
  QLineEdit* index_;
};

// InsertSymbolWindow: ©, ®, ™ and a horizontal line.
class InsertSymbolWindow : public InsertBox {
  Q_OBJECT
public:
  InsertSymbolWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts);
  void Open() { ShowOnTop(); }
  QPushButton* Button(const char* name) const;
};

// CreateLinkWindow: the selected text becomes a link.
class CreateLinkWindow : public InsertBox {
  Q_OBJECT
public:
  CreateLinkWindow(QWidget* parent, PageEditor& engine, Prompts*& prompts);
  void Open();
  void IIndexButtonClick();
  QLineEdit* URLEdit() const { return url_; }

private:
  QLineEdit* url_;
};

} // namespace quarbel
