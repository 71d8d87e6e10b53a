#include "generator/ui/loading_box.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace quarbel {

TLoadingBox::TLoadingBox(QWidget* parent) : QDialog(parent) {
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

void TLoadingBox::Show() {
  show();
  raise();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TLoadingBox::Close() {
  hide();
}

void TLoadingBox::SetMaximum(int maximum) {
  progress_->setMaximum(maximum);
}

void TLoadingBox::SetPosition(int position) {
  progress_->setValue(position);
}

// Repaints the windows; the user's commands are held off while the conversion runs.
void TLoadingBox::ProcessEvents() {
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace quarbel
