#pragma once

#include <QVariant>
#include <QWebEnginePage>
#include <QtTest/QtTest>

namespace quarbel::testing {

// Runs a script in the page and waits (at most 10 s) for its value.
inline QVariant RunPageScript(QWebEnginePage* page, const QString& script) {
  QVariant result;
  bool done = false;
  page->runJavaScript(script, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  if (!QTest::qWaitFor([&] { return done; }, 10000))
    qWarning("script gave no answer: %s", qPrintable(script));
  return result;
}

} // namespace quarbel::testing
