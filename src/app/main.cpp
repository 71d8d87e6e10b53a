// quarbel-vorizareda: the desktop program.

#include "app/main_window.h"
#include "records/ui/record_page_box.h"
#include "settings/program_folders.h"
#include "settings/program_settings.h"
#include "settings/ui/parameters_box.h"
#include "text/paths.h"
#include "widgets/guarded_application.h"
#include "widgets/program_banner.h"
#include "widgets/program_splash.h"
#include "widgets/terminate_signal.h"
#include "wordproc/libreoffice_word_processor.h"
#include "wordproc/page_cache.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>
#include <QTranslator>

#include <chrono>
#include <csignal>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv) {
  // The editor's browser engine refuses to start its sandbox under the root account (a
  // container, a live system); it runs without one there.
  if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // A file size limit must not end the program midway through a write: the write fails and
  // is reported as any other.
  std::signal(SIGXFSZ, SIG_IGN);
  quarbel::GuardedApplication app(argc, argv);
  QTranslator qtTranslations;
  if (qtTranslations.load(QLocale(QLocale::Ukrainian), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&qtTranslations);

  const quarbel::ProgramFolders folders = quarbel::FindProgramFolders(quarbel::ExecutableFolder());
  QApplication::setWindowIcon(QIcon::fromTheme(
      QStringLiteral("org.quarbel.Vorizareda"),
      QIcon(QString::fromStdString(
          (folders.data / "Icons" / "Software" / "quarbel-vorizareda.png").string()))));
  quarbel::MainWindow box(folders);
  // The settings of the last run.
  quarbel::ProgramSettings settings = quarbel::RestoreSettings(folders.settings);
  box.SetWordProcessorFactory([&folders, &settings] {
    quarbel::HelperOptions options;
    options.helper = folders.helper;
    options.memoryLimitMB = settings.wordProcessorMemoryMB;
    if (settings.documentTimeLimit > 0)
      options.callLimit = std::chrono::seconds(settings.documentTimeLimit);
    return std::make_unique<quarbel::LibreOfficeWordProcessor>(options);
  });
  if (settings.wordProcessorJobs > 0)
    box.SetWordJobs(settings.wordProcessorJobs);
  box.SetPageCache(std::make_unique<quarbel::PageCache>(
      quarbel::PageCache::DefaultFolder(),
      settings.pageCacheMB > 0 ? static_cast<std::uint64_t>(settings.pageCacheMB) << 20
                               : quarbel::PageCache::kDefaultLimit));
  box.ApplySettings(settings);
  box.SetStoreSettings([&] {
    settings = box.CollectSettings(settings);
    quarbel::StoreSettings(folders.settings, settings);
  });
  // The end of a desktop session (or `kill`) closes the window as its close button does: the
  // settings are kept, and an unsaved course is asked about.
  quarbel::CloseOnTerminate(box);

  // The main window comes when the splash goes: after five seconds, or at once on a click.
  quarbel::ProgramSplash splash(
      quarbel::ProgramBanner(QSize(500, 250), 28,
                             {QStringLiteral("Електронний посібник з ваших документів"),
                              QStringLiteral("версія 2.0.0")}),
      [&box, &argv, argc] {
        box.show();
        // A structure file named on the command line (a double click on a course).
        if (argc > 1)
          box.OpenStructureFile(std::filesystem::path(argv[1]));
      });
  splash.show();
  QTimer::singleShot(5000, &splash, [&splash] { splash.Dismiss(); });
  return app.exec();
}
