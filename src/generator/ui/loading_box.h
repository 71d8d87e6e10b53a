#pragma once

#include "generator/generation_input.h"

#include <QDialog>

class QProgressBar;

namespace quarbel {

// LoadingWindow: the borderless, stay-on-top progress window of a conversion. As the progress
// sink it keeps the program's windows painting while the textbook is written.
class LoadingWindow : public QDialog, public ProgressSink {
  Q_OBJECT
public:
  explicit LoadingWindow(QWidget* parent);

  void Show() override;
  void Close() override;
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;
  void ProcessEvents() override;

  QProgressBar* Progress() const { return progress_; }

private:
  QProgressBar* progress_;
};

} // namespace quarbel
