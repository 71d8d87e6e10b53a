#include "app/about_box.h"

#include "widgets/program_banner.h"

#include "widgets/dialog_parts.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
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

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TAboutBox");
  setWindowTitle(QStringLiteral("Про програму : Quarbel Vorizareda"));
  setModal(true);
  auto* banner = new QLabel(this);
  banner->setPixmap(ProgramBanner(QSize(277, 68), 16));
  pages_ = new QStackedWidget(this);

  auto* about = new QWidget(pages_);
  auto* grid = new QGridLayout(about);
  grid->addWidget(new QLabel(QStringLiteral("Версія :"), about), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("2.0.0"), about), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Автори :"), about), 1, 0, Qt::AlignTop);
  grid->addWidget(new QLabel(QStringLiteral("Команда Quarbel Vorizareda"), about), 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Керівник проекту :"), about), 2, 0);
  grid->addWidget(new QLabel(QStringLiteral("Quarbel Vorizareda"), about), 2, 1);
  grid->addWidget(new ClickLabel(QStringLiteral("Контактна інформація служби підтримки >"), about,
                                 [this] { ShowPage(1); }),
                  3, 0, 1, 2);
  auto* exit1 = new QPushButton(QStringLiteral("Вихід"), about);
  connect(exit1, &QPushButton::clicked, this, &QDialog::accept);
  grid->addWidget(exit1, 4, 0, 1, 2, Qt::AlignCenter);
  pages_->addWidget(about);

  auto* contacts = new QWidget(pages_);
  auto* grid2 = new QGridLayout(contacts);
  grid2->addWidget(new QLabel(QStringLiteral("Контактна інформація :"), contacts), 0, 0, 1, 2);
  grid2->addWidget(new QLabel(QStringLiteral("ICQ # :"), contacts), 1, 0);
  icq_ = new ClickLabel(QStringLiteral("000000000"), contacts,
                        [this] { QApplication::clipboard()->setText(icq_->text()); });
  icq_->setToolTip(QStringLiteral("Натисніть тут, для копіювання ICQ # в буфер обміну"));
  grid2->addWidget(icq_, 1, 1);
  grid2->addWidget(new QLabel(QStringLiteral("E-Mail :"), contacts), 2, 0);
  mail_ = new ClickLabel(QStringLiteral("support@quarbel.example"), contacts,
                         [this] { QApplication::clipboard()->setText(mail_->text()); });
  mail_->setToolTip(QStringLiteral("Натисніть тут, для копіювання E-Mail в буфер обміну"));
  grid2->addWidget(mail_, 2, 1);
  grid2->addWidget(new ClickLabel(QStringLiteral("< Про програму : Quarbel Vorizareda"), contacts,
                                  [this] { ShowPage(0); }),
                   3, 0, 1, 2);
  auto* exit2 = new QPushButton(QStringLiteral("Вихід"), contacts);
  connect(exit2, &QPushButton::clicked, this, &QDialog::accept);
  grid2->addWidget(exit2, 4, 0, 1, 2, Qt::AlignCenter);
  pages_->addWidget(contacts);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(banner, 0, Qt::AlignHCenter);
  layout->addWidget(pages_);
  FixWindowSize(this, QSize(293, 404));
}

void AboutWindow::ShowPage(int page) {
  pages_->setCurrentIndex(page);
}

int AboutWindow::Page() const {
  return pages_->currentIndex();
}

int AboutWindow::Open() {
  ShowPage(0);
  return exec();
}

} // namespace quarbel
