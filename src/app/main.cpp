// quarbel-vorizareda: the desktop program.

#include "app/main_window.h"
#include "settings/ui/parameters_box.h"
#include "text/paths.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLibraryInfo>
#include <QPainter>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>
#include <QTranslator>

namespace {

// The splash picture: the program's name on a calm background, 500 x 250.
QPixmap SplashPicture() {
  QPixmap picture(500, 250);
  picture.fill(QColor("#1f4e79"));
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  QFont title = painter.font();
  title.setPointSize(28);
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRect(0, 60, 500, 60), Qt::AlignCenter, QStringLiteral("Quarbel Vorizareda"));
  QFont line = painter.font();
  line.setPointSize(13);
  line.setBold(false);
  painter.setFont(line);
  painter.drawText(QRect(0, 130, 500, 40), Qt::AlignCenter,
                   QStringLiteral("Електронний посібник з ваших документів"));
  painter.drawText(QRect(0, 200, 500, 30), Qt::AlignCenter, QStringLiteral("версія 2.0.0"));
  return picture;
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("[ Quarbel ]"));
  QApplication::setApplicationDisplayName(QStringLiteral("Quarbel Vorizareda"));
  QTranslator qtTranslations;
  if (qtTranslations.load(QLocale(QLocale::Ukrainian), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&qtTranslations);

  const std::filesystem::path folder = quarbel::ExecutableFolder();
  QApplication::setWindowIcon(QIcon(
      QString::fromStdString((folder / "Icons" / "Software" / "quarbel-vorizareda.png").string())));
  quarbel::TBox box(folder);
  // Start state until the settings file is read: the Luna look and the 1251 encoding.
  box.ParametersBox()->ApplyInterfaceStyle(QStringLiteral("Microsoft Office 2007 - Luna"));
  box.ParametersBox()->CodingComboBox()->setCurrentText(QStringLiteral("1251"));

  QSplashScreen splash(SplashPicture());
  splash.show();
  QTimer::singleShot(5000, &splash, [&] {
    splash.close();
    box.show();
  });
  return app.exec();
}
