// The captions a window manager shows, read from a real X server (Xvfb): exactly the windows'
// own texts, with nothing added.
#include "app/about_box.h"
#include "app/main_window.h"
#include "settings/ui/parameters_box.h"
#include "widgets/guarded_application.h"

#include <QProcess>
#include <QtTest/QtTest>

namespace {

using namespace quarbel;

// The window's _NET_WM_NAME as the X server holds it.
QString ShownCaption(QWidget* window) {
  QProcess xprop;
  xprop.start("xprop", {"-id", QString::number(window->winId()), "_NET_WM_NAME"});
  if (!xprop.waitForFinished(10000))
    return "<xprop did not answer>";
  const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
  const qsizetype quote = out.indexOf('"');
  return quote < 0 ? "<" + out + ">" : out.mid(quote + 1, out.lastIndexOf('"') - quote - 1);
}

class WindowCaptionsTest : public QObject {
  Q_OBJECT

private slots:
  void captionsAreExactlyTheWindowsTexts() {
    MainWindow box(QUARBEL_PROGRAM_DIR);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(ShownCaption(&box), QStringLiteral("Quarbel Vorizareda 2.0.0"));

    for (QWidget* window : std::initializer_list<QWidget*>{box.ParametersBox(), box.AboutBox()}) {
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      QCOMPARE(ShownCaption(window), window->windowTitle());
      QVERIFY(!ShownCaption(window).contains(QStringLiteral(" — ")));
      window->hide();
    }
  }
};

} // namespace

int main(int argc, char** argv) {
  GuardedApplication app(argc, argv);
  WindowCaptionsTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "window_captions_test.moc"
