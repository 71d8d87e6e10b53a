#pragma once

#include <QDialog>
#include <QTimer>
#include <QtTest/QtTest>

#include <functional>

namespace quarbel::testing {

// Runs `action` on the modal dialog that opens next, once it shows.
inline void WhenDialogOpens(QDialog* dialog, std::function<void()> action) {
  QTimer::singleShot(0, dialog, [dialog, action] {
    QTRY_VERIFY(dialog->isVisible());
    action();
  });
}

} // namespace quarbel::testing
