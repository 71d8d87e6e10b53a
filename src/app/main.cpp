// quarbel-vorizareda: the desktop program.

#include "app/main_window.h"
#include "settings/ui/parameters_box.h"
#include "text/paths.h"
#include "widgets/program_banner.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>
#include <QTranslator>

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

  QSplashScreen splash(quarbel::ProgramBanner(
      QSize(500, 250), 28,
      {QStringLiteral("Електронний посібник з ваших документів"), QStringLiteral("версія 2.0.0")}));
  splash.show();
  QTimer::singleShot(5000, &splash, [&] {
    splash.close();
    box.show();
  });
  return app.exec();
}
