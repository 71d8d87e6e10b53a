#include "widgets/interface_styles.h"

#include <QColor>

#include <array>

namespace quarbel {
namespace {

struct Scheme {
  const char* name;
  const char* bar; // tool bars, pages and the status bar
  const char* barEdge;
  const char* menu;      // pop-up menus
  const char* highlight; // the item under the pointer
  const char* text;
};

// Colours drawn from each look: blue, olive and silver Office 2003; Luna, Obsidian and
// Silver Office 2007; the XP, Vista and 7 desktops.
constexpr std::array<Scheme, 9> kSchemes = {{
    {"Microsoft Office 2003 - Blue", "#c4daf9", "#6591cd", "#f6f6f6", "#ffeec2", "#000000"},
    {"Microsoft Office 2003 - Olive", "#dde4c4", "#8ca05a", "#f4f4ee", "#ffeec2", "#000000"},
    {"Microsoft Office 2003 - Silver", "#e3e2ec", "#9997b5", "#fafafa", "#ffeec2", "#000000"},
    {"Microsoft Office 2007 - Luna", "#d5e4f7", "#8db2e3", "#fafafa", "#ffe7a2", "#15428b"},
    {"Microsoft Office 2007 - Obsidian", "#535353", "#2b2b2b", "#f0f0f0", "#ffd67e", "#ffffff"},
    {"Microsoft Office 2007 - Silver", "#dde2ea", "#a5acb5", "#fafafa", "#ffe7a2", "#333333"},
    {"Windows XP", "#ece9d8", "#aca899", "#ffffff", "#316ac5", "#000000"},
    {"Windows Vista", "#e5eef9", "#a0afc3", "#f5f5f5", "#cce8ff", "#1e395b"},
    {"Windows 7", "#dbe6f4", "#99b4d1", "#f0f0f0", "#d5e9fb", "#1e395b"},
}};

} // namespace

const QStringList& InterfaceStyleNames() {
  static const QStringList names = [] {
    QStringList list;
    for (const Scheme& s : kSchemes)
      list << QString::fromUtf8(s.name);
    return list;
  }();
  return names;
}

QString InterfaceStyleSheet(const QString& name) {
  for (const Scheme& s : kSchemes) {
    if (name != QString::fromUtf8(s.name))
      continue;
    // Text on the highlight is white where the highlight is dark, black where it is light.
    const QString selectedText =
        QColor(QString::fromLatin1(s.highlight)).lightnessF() < 0.5 ? "#ffffff" : "#000000";
    return QString(
               "QToolBar, QTabWidget[toolPager=\"true\"] > QWidget, QStatusBar, "
               "QFrame#NavigationBar {"
               " background: %1; color: %5; border-bottom: 1px solid %2; }"
               "QTabWidget[toolPager=\"true\"]::pane { border: 1px solid %2; background: %1; }"
               "QTabWidget[toolPager=\"true\"] QTabBar::tab { background: %1; color: %5; padding: "
               "4px 12px;"
               " border: 1px solid %2; border-bottom: none; }"
               "QTabWidget[toolPager=\"true\"] QTabBar::tab:selected { background: %3; color: "
               "#000000; }"
               "QGroupBox[toolGroup=\"true\"] { color: %5; border: 1px solid %2; margin-top: 0; "
               "padding-bottom: 14px; }"
               "QGroupBox[toolGroup=\"true\"]::title { subcontrol-origin: padding; "
               "subcontrol-position: "
               "bottom center; }"
               "QMenu { background: %3; color: #000000; border: 1px solid %2; }"
               "QMenu::item:selected { background: %4; color: %6; }"
               "QMenu::item:disabled { color: #8c8c8c; }")
        .arg(s.bar, s.barEdge, s.menu, s.highlight, s.text, selectedText);
  }
  return {};
}

} // namespace quarbel
