#pragma once

#include "pictures/indexed_image.h"
#include "prompts/prompts.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <filesystem>
#include <functional>
#include <string>

class QWebEngineView;

namespace quarbel {

// PageEditor: the editing engine over the editor's browser view. It switches the page's design
// mode, runs named editing commands on the selection, pastes fragments over it and writes
// the edited page back to its file. When a picture or another object alone is selected,
// commands that do not apply to it are refused and fragments cannot be pasted.
class PageEditor : public QObject {
  Q_OBJECT
public:
  PageEditor(QWebEngineView* browser, Prompts*& prompts);

  // Told which command was refused on an object selection, so that the window can reset
  // the selector that ran it.
  std::function<void(const std::string& command)> commandRefused;
  // Shows the window's find bar.
  std::function<void()> findRequested;

  // Loads a page into the view; documentComplete follows when it has loaded (or failed
  // to). A page asked for later supersedes one still loading.
  void Load(const QUrl& url);
  void SetDesignMode(bool on);
  // Replaces the selection with the fragment as one step of the page's undo history, leaving
  // the caret after it. Throws Error when an object is selected.
  void InsertHTML(const QString& html);
  // Runs a named editing command ("Bold", "FontSize") with its value (none, text or number).
  void ExecuteCommand(const std::string& command, const QVariant& value = QVariant());

  // Tells the style at the caret now (styleChanged).
  void UpdateStyle();

  void Undo();
  void Redo();
  void SelectAll();
  void Find();
  void Cut() { ExecuteCommand("Cut"); }
  void Copy() { ExecuteCommand("Copy"); }
  void Paste() { ExecuteCommand("Paste"); }
  void Bold() { ExecuteCommand("Bold"); }
  void Italic() { ExecuteCommand("Italic"); }
  void Underline() { ExecuteCommand("Underline"); }
  void AlignLeft() { ExecuteCommand("JustifyLeft"); }
  void AlignCenter() { ExecuteCommand("JustifyCenter"); }
  void AlignRight() { ExecuteCommand("JustifyRight"); }
  void ApplyFontName(const std::string& name);
  void ApplyFontSize(int points);
  void ApplyFontColor(RgbColor colour);
  // The font chooser, then the style, name, size and colour commands.
  void ChooseFont();

  // What the user typed goes into the page exactly as typed.
  void InsertLink(const QString& url, const QString& name);
  void LinkSelection(const QString& url);
  void InsertImage(const QString& src);
  void InsertSubscript(const QString& text);
  void InsertSuperscript(const QString& text);
  void InsertCSymbol();
  void InsertRSymbol();
  void InsertTMSymbol();
  void InsertHorizontalLine();

  // Waits until the page has loaded, then gives it the keyboard focus.
  void WaitAndFocus();
  // Writes the page as edited to `path` in the page's own character encoding; false (and a
  // warning) when it could not be written. A failure is
  // reported with "Відбулася помилка при збережені !" and the file keeps what it held.
  bool SaveDocument(const std::filesystem::path& path);

  // The page's markup as edited (without the editor's zoom) and its character encoding.
  QString PageText(QString* charset = nullptr);
  // The same markup with a <base> of the page's own address first in its head: loaded from
  // a file elsewhere, it shows the page's pictures as the page does.
  QString PageTextWithBase();

  bool Loading() const { return loading_; }
  const QUrl& RequestedUrl() const { return requested_; }
  // Runs a script in the page and waits for its result.
  QVariant RunScript(const QString& script);

private:
  QString Serialise(bool withBase, QString* charset);
  void WatchStyle();

  QWebEngineView* browser_;
  Prompts*& prompts_;
  FontChoice lastFont_;
  bool loading_ = false;
  bool watching_ = false;
  QUrl requested_;

signals:
  // `loaded` is false when the page could not be read.
  void documentComplete(bool loaded);
  // The style at the caret or of the selection: after each command, and whenever the page's
  // selection changes or its text is edited, by the keyboard, the mouse or a script.
  void styleChanged(bool bold, bool italic, bool underline);
};

} // namespace quarbel
