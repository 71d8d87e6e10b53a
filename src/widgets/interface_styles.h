#pragma once

#include <QString>
#include <QStringList>

class QApplication;

namespace quarbel {

// The nine interface styles of the program, in list order.
const QStringList& InterfaceStyleNames();

// The style sheet of a style (menus, tool bars, tool bar pages, status bars and the
// navigation bar); empty for an unknown name.
QString InterfaceStyleSheet(const QString& name);

} // namespace quarbel
