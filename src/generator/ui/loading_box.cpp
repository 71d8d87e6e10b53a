#include "generator/ui/loading_box.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace quarbel {

LoadingWindow::LoadingWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TLoadingBox");
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setFixedSize(300, 100);
  auto* label = new QLabel(QStringLiteral("Створення електронного посібника . . ."), this);
  label->setAlignment(Qt::AlignCenter);
  progress_ = new QProgressBar(this);
  progress_->setObjectName("Progress");
  progress_->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(progress_);
  setStyleSheet("TLoadingBox { border: 1px solid palette(dark); }");
}

void LoadingWindow::Show() {
  show();
  raise();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LoadingWindow::Close() {
  hide();
}

void LoadingWindow::SetMaximum(int maximum) {
  progress_->setMaximum(maximum);
}

void LoadingWindow::SetPosition(int position) {
  progress_->setValue(position);
}

// Repaints the windows; the user's commands are held off while the conversion runs.
void LoadingWindow::ProcessEvents() {
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace quarbel
