#include "app/about_box.h"

#include "widgets/program_banner.h"

#include "widgets/dialog_parts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarbel {
namespace {

// A label that acts on a click and turns blue under the pointer.
class ClickLabel : public QLabel {
public:
  ClickLabel(const QString& text, QWidget* parent, std::function<void()> clicked)
      : QLabel(text, parent), clicked_(std::move(clicked)) {
    setCursor(Qt::PointingHandCursor);
  }

protected:
  void enterEvent(QEnterEvent*) override { setStyleSheet("color: blue;"); }
  void leaveEvent(QEvent*) override { setStyleSheet(QString()); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && clicked_)
      clicked_();
  }

private:
  std::function<void()> clicked_;
};

} // namespace

AboutWindow::AboutWindow(QWidget* parent, const std::filesystem::path& manual,
                         std::function<void()> openManual)
    : QDialog(parent) {
  setObjectName("TAboutBox");
  setWindowTitle(QStringLiteral("Про програму : Quarbel Vorizareda"));
  setModal(true);
  auto* banner = new QLabel(this);
  banner->setPixmap(ProgramBanner(QSize(277, 68), 16));

  auto* about = new QWidget(this);
  auto* grid = new QGridLayout(about);
  auto* name = new QLabel(QStringLiteral("Quarbel Vorizareda"), about);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  grid->addWidget(name, 0, 0, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Версія :"), about), 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("2.0.0"), about), 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Автори :"), about), 2, 0, Qt::AlignTop);
  grid->addWidget(new QLabel(QStringLiteral("Команда Quarbel Vorizareda"), about), 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Ліцензія :"), about), 3, 0, Qt::AlignTop);
  auto* licence =
      new QLabel(QStringLiteral("© Команда Quarbel Vorizareda.\nУсі права застережено."), about);
  licence->setObjectName("LicenceLabel");
  grid->addWidget(licence, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("Посібник користувача :"), about), 4, 0, 1, 2);
  manual_ = new ClickLabel(QString::fromStdString(manual.string()), about, std::move(openManual));
  manual_->setObjectName("ManualLabel");
  manual_->setWordWrap(true);
  manual_->setToolTip(QStringLiteral("Натисніть тут, щоб відкрити посібник користувача"));
  grid->addWidget(manual_, 5, 0, 1, 2);
  grid->setRowStretch(6, 1);
  auto* exit = new QPushButton(QStringLiteral("Вихід"), about);
  connect(exit, &QPushButton::clicked, this, &QDialog::accept);
  grid->addWidget(exit, 7, 0, 1, 2, Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(banner, 0, Qt::AlignHCenter);
  layout->addWidget(about);
  FixWindowSize(this, QSize(293, 404));
}

} // namespace quarbel
