#pragma once

#include <QDialog>

class QLabel;
class QStackedWidget;

namespace quarbel {

// AboutWindow: the version and the authors on the first page, the support contacts on the
// second; a click on a contact copies it to the clipboard.
class AboutWindow : public QDialog {
  Q_OBJECT
public:
  explicit AboutWindow(QWidget* parent);

  // Always opens on the first page.
  int Open();
  int Page() const;
  QLabel* IcqLabel() const { return icq_; }
  QLabel* MailLabel() const { return mail_; }
  void ShowPage(int page);

private:
  QStackedWidget* pages_;
  QLabel* icq_;
  QLabel* mail_;
};

} // namespace quarbel
