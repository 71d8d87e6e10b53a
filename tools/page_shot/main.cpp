// quarbel-page-shot: a picture of a web page as a browser shows it at a given size, for the
// README's pictures of the two looks of a textbook.
//
//   quarbel-page-shot URL WIDTHxHEIGHT OUT.png [SCRIPT]
//
// SCRIPT, when given, runs in the page once it has loaded (to open the menu, say); the
// picture is taken a moment later.

#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: quarbel-page-shot URL WIDTHxHEIGHT OUT.png [SCRIPT]\n");
    return 2;
  }
  QApplication app(argc, argv);
  const QStringList size = QString::fromLocal8Bit(argv[2]).split('x');
  if (size.size() != 2) {
    std::fprintf(stderr, "quarbel-page-shot: the size is WIDTHxHEIGHT\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[3]);
  const QString script = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
  QWebEngineView view;
  view.resize(size[0].toInt(), size[1].toInt());
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.show();
  int status = 1;
  QObject::connect(&view, &QWebEngineView::loadFinished, &app, [&](bool ok) {
    if (!ok) {
      std::fprintf(stderr, "quarbel-page-shot: the page did not load: %s\n", argv[1]);
      app.exit(1);
      return;
    }
    if (!script.isEmpty())
      view.page()->runJavaScript(script);
    QTimer::singleShot(1500, &app, [&] {
      status = view.grab().save(out) ? 0 : 1;
      app.exit(status);
    });
  });
  QTimer::singleShot(60000, &app, [&] { app.exit(1); });
  view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
  return app.exec();
}
