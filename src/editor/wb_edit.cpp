#include "editor/wb_edit.h"

#include "editor/editor_rules.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/html_charset.h"
#include "widgets/qt_text.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringEncoder>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include <memory>

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

// A JavaScript literal of a value: a string, a number or null.
QString ScriptValue(const QVariant& value) {
  if (!value.isValid() || value.isNull())
    return "null";
  QJsonArray array;
  array.append(QJsonValue::fromVariant(value));
  const QString json = QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
  return json.mid(1, json.size() - 2);
}

// The element selected alone, as a picture is when the user clicks it: a range over exactly
// one element that holds no text of its own.
const char* const kSelectedObject = R"(
function qvSelectedObject() {
  var s = window.getSelection();
  if (!s || s.rangeCount !== 1) return null;
  var r = s.getRangeAt(0);
  if (r.startContainer !== r.endContainer || r.startContainer.nodeType !== 1 ||
      r.endOffset - r.startOffset !== 1) return null;
  var n = r.startContainer.childNodes[r.startOffset];
  if (!n || n.nodeType !== 1) return null;
  return /^(IMG|HR|TABLE|IFRAME|OBJECT|EMBED|VIDEO|AUDIO|CANVAS|SVG|INPUT|BUTTON|SELECT|TEXTAREA)$/i
      .test(n.nodeName) ? n : null;
}
)";

// What applies to an object selection: the clipboard, deleting and paragraph alignment.
const char* const kCommand = R"(
(function(command, value) {
  if (qvSelectedObject() && ['Cut', 'Copy', 'Paste', 'Delete', 'JustifyLeft',
      'JustifyCenter', 'JustifyRight'].indexOf(command) < 0) return 'refused';
  if (command === 'Cut' || command === 'Copy' || command === 'Paste') return 'clipboard';
  if (command === 'FontName' && typeof value === 'string') {
    var m = /^face="([^,"]*)/.exec(value);
    if (m) value = m[1];
  }
  document.execCommand(command, false, value);
  return 'done';
})
)";

// Pastes a fragment over the selection through the browser's own insert command, so that it
// is one step of the page's undo history, and leaves the caret after the fragment.
//
// The command splits the paragraph at the caret, puts the fragment between the halves and
// joins them again; on the way back a fragment that is one <sub> or <sup> comes out as a
// styled span. Where the caret's block is the editable root the command inserts in place, so
// for a fragment without blocks of its own that block is made the editable root while the
// command runs (the body is made non-editable meanwhile), and both get their own attributes
// back at once. A fragment with blocks (a horizontal line) splits the paragraph as the
// browser does it.
const char* const kPaste = R"(
(function(html) {
  if (qvSelectedObject()) return 'object';
  var s = window.getSelection();
  if (s.rangeCount === 0) {
    var end = document.createRange();
    end.selectNodeContents(document.body);
    end.collapse(false);
    s.addRange(end);
  }
  var r = s.getRangeAt(0);
  var parsed = document.createElement('template');
  parsed.innerHTML = html;
  // A lone text would be put into a link that ends at the caret; in a span it goes beside
  // the link, as markup does, and the command drops the span, which says nothing.
  var markup = parsed.content.querySelector('*') ? html : '<span>' + html + '</span>';
  var around = [];
  for (var n = r.startContainer; n; n = n.parentNode) around.push(n);

  var root = null, body = document.body;
  if (body && body !== r.commonAncestorContainer && body.contains(r.commonAncestorContainer) &&
      !parsed.content.querySelector('address,article,aside,blockquote,center,dd,div,dl,dt,' +
      'fieldset,figure,footer,form,h1,h2,h3,h4,h5,h6,header,hr,li,main,nav,ol,p,pre,section,' +
      'table,ul')) {
    for (var b = r.commonAncestorContainer; b !== body; b = b.parentNode) {
      if (b.nodeType !== 1) continue;
      var display = getComputedStyle(b).display;
      if (display !== 'contents' && !/^inline/.test(display)) { root = b; break; }
    }
  }
  var held = [];
  function hold(element, value) {
    held.push([element, element.getAttribute('contenteditable')]);
    element.setAttribute('contenteditable', value);
  }
  var inserted;
  try {
    if (root) {
      hold(body, 'false');
      hold(root, 'true');
    }
    inserted = document.execCommand('insertHTML', false, markup);
  } finally {
    for (var i = held.length - 1; i >= 0; --i) {
      if (held[i][1] === null) held[i][0].removeAttribute('contenteditable');
      else held[i][0].setAttribute('contenteditable', held[i][1]);
    }
  }
  if (!inserted) return 'failed';

  // The command leaves the caret at the end of the fragment's last text, inside its <sub> or
  // link: it goes after the fragment's last node, where the next insert belongs.
  if (s.rangeCount === 1 && s.isCollapsed) {
    var c = s.getRangeAt(0), node = c.endContainer, after = null;
    var atEnd = c.endOffset === (node.nodeType === 3 ? node.length : node.childNodes.length);
    while (atEnd && node.parentNode && around.indexOf(node) < 0) {
      after = node;
      atEnd = node === node.parentNode.lastChild;
      node = node.parentNode;
    }
    if (after) {
      c.setStartAfter(after);
      c.collapse(true);
      s.removeAllRanges();
      s.addRange(c);
    }
  }
  return 'done';
})
)";

// The page as edited, without the editor's zoom. With `withBase` the head starts with a
// <base> of the page's own base address, so that the text loaded from another place still
// finds the page's pictures and styles where they are.
const char* const kSerialise = R"(
(function(withBase) {
  var b = document.body, zoom = null;
  if (b && window.qvZoomed) {
    zoom = b.style.zoom;
    if (window.qvBodyStyle === null) b.removeAttribute('style');
    else b.setAttribute('style', window.qvBodyStyle);
  }
  var startTag = function(e) {
    var t = e.cloneNode(false).outerHTML;
    return t.slice(0, t.lastIndexOf('</'));
  };
  var out = '';
  for (var n = document.firstChild; n; n = n.nextSibling) {
    if (n.nodeType === 10) {
      out += '<!DOCTYPE ' + n.name;
      if (n.publicId) out += ' PUBLIC "' + n.publicId + '"';
      if (n.systemId) out += (n.publicId ? '' : ' SYSTEM') + ' "' + n.systemId + '"';
      out += '>\r\n';
    } else if (n.nodeType === 8) {
      out += '<!--' + n.data + '-->\r\n';
    } else if (n.nodeType === 1) {
      var text = n.outerHTML;
      var head = n.firstElementChild;
      if (withBase && head && head.nodeName === 'HEAD') {
        var headTag = startTag(head), at = text.indexOf(headTag);
        if (at >= 0) {
          var base = document.createElement('base');
          base.setAttribute('href', document.baseURI);
          at += headTag.length;
          text = text.slice(0, at) + base.outerHTML + text.slice(at);
        }
      }
      out += text;
    }
  }
  if (zoom !== null) b.style.zoom = zoom;
  return [document.characterSet, out];
})
)";

// The style at the caret or of the selection, as the editing commands see it.
const char* const kStyle = "[document.queryCommandState('bold'), "
                           "document.queryCommandState('italic'), "
                           "document.queryCommandState('underline')]";

// Runs in every page the editor loads, in a script world of its own that the page's scripts
// do not see, after the channel's own script: reports the style whenever the selection
// changes (the caret moved by a key, a click or a script), the text is edited (Undo and Redo
// too) or a key or the mouse button goes up (Ctrl+B changes the style of what is typed next
// and nothing else). A report is a short message, sent each time, so that it also corrects
// a button the user has just toggled.
const char* const kStyleWatch = R"(
new QWebChannel(qt.webChannelTransport, function(channel) {
  var watch = channel.objects.qvStyle;
  var report = function() {
    watch.report(document.queryCommandState('bold'), document.queryCommandState('italic'),
                 document.queryCommandState('underline'));
  };
  ['selectionchange', 'input', 'keyup', 'mouseup'].forEach(function(name) {
    document.addEventListener(name, report, true);
  });
  report();
});
)";

// The page's text in its own encoding; characters it lacks as "&#N;".
std::string EncodePage(const QString& text, const QString& charset) {
  const QByteArray utf8 = text.toUtf8();
  if (auto bytes =
          EncodeForCharset(std::string_view(utf8.data(), utf8.size()), charset.toStdString()))
    return std::move(*bytes);
  QStringEncoder encoder(charset.toLatin1().constData());
  if (!encoder.isValid())
    return std::string(utf8.data(), utf8.size());
  std::string out;
  for (const char32_t codePoint : text.toUcs4()) {
    const QString one = QString::fromUcs4(&codePoint, 1);
    const QByteArray bytes = encoder.encode(one);
    if (encoder.hasError() || (bytes == "?" && codePoint != U'?')) {
      encoder.resetState();
      out += "&#" + std::to_string(static_cast<unsigned>(codePoint)) + ";";
    } else {
      out.append(bytes.data(), bytes.size());
    }
  }
  return out;
}

} // namespace

// Where the page's style watch reports.
class StyleReport : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  Q_INVOKABLE void report(bool bold, bool italic, bool underline) {
    emit reported(bold, italic, underline);
  }

signals:
  void reported(bool bold, bool italic, bool underline);
};

PageEditor::PageEditor(QWebEngineView* browser, Prompts*& prompts)
    : QObject(browser), browser_(browser), prompts_(prompts) {}

void PageEditor::WatchStyle() {
  auto* report = new StyleReport(this);
  connect(report, &StyleReport::reported, this, &PageEditor::styleChanged);
  auto* channel = new QWebChannel(this);
  channel->registerObject("qvStyle", report);
  QWebEnginePage* page = browser_->page();
  page->setWebChannel(channel, QWebEngineScript::ApplicationWorld);
  // The channel's script comes with Qt WebChannel.
  QFile api(":/qtwebchannel/qwebchannel.js");
  if (!api.open(QIODevice::ReadOnly)) {
    qWarning("The web channel script is missing: the style buttons follow the commands only");
    return;
  }
  QWebEngineScript script;
  script.setName("qvStyleWatch");
  script.setInjectionPoint(QWebEngineScript::DocumentReady);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(false);
  script.setSourceCode(QString::fromUtf8(api.readAll()) + kStyleWatch);
  page->scripts().insert(script);
}

void PageEditor::Load(const QUrl& url) {
  if (!watching_) {
    // The browser engine starts with the first page, not with the program.
    watching_ = true;
    WatchStyle();
    connect(browser_->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) {
              // Only the end of the page last asked for counts: a page it replaced may still
              // report its own end, and scripts sent to it would go nowhere.
              if (info.url() != requested_ ||
                  info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
                return;
              loading_ = false;
              emit documentComplete(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
            });
  }
  loading_ = true;
  requested_ = url;
  browser_->load(url);
}

QVariant PageEditor::RunScript(const QString& script) {
  struct Wait {
    QEventLoop loop;
    QVariant result;
    bool done = false;
  };
  auto wait = std::make_shared<Wait>();
  browser_->page()->runJavaScript(script, [wait](const QVariant& result) {
    wait->result = result;
    wait->done = true;
    wait->loop.quit();
  });
  if (!wait->done) {
    // A page that goes away never answers; nothing here waits for ever.
    QTimer::singleShot(10000, &wait->loop, &QEventLoop::quit);
    wait->loop.exec();
    if (!wait->done)
      qWarning("The page did not answer a script: %s", qPrintable(script.left(60)));
  }
  return wait->result;
}

void PageEditor::SetDesignMode(bool on) {
  RunScript(on ? "document.designMode = 'on';" : "document.designMode = 'off';");
}

void PageEditor::InsertHTML(const QString& html) {
  if (RunScript(QString(kSelectedObject) + kPaste + "(" + ScriptValue(html) + ")").toString() !=
      "done")
    throw Error(T("Дана команда не підтримується !"));
}

void PageEditor::ExecuteCommand(const std::string& command, const QVariant& value) {
  const QString outcome =
      RunScript(QString(kSelectedObject) + kCommand + "(" +
                ScriptValue(QString::fromStdString(command)) + ", " + ScriptValue(value) + ")")
          .toString();
  if (outcome == "refused" || outcome == "done")
    UpdateStyle();
  if (outcome == "refused") {
    prompts_->Warning(T("Дана команда не підтримується !"));
    if (commandRefused)
      commandRefused(command);
    return;
  }
  if (outcome == "clipboard") {
    browser_->page()->triggerAction(command == "Cut"    ? QWebEnginePage::Cut
                                    : command == "Copy" ? QWebEnginePage::Copy
                                                        : QWebEnginePage::Paste);
    return;
  }
  if (outcome != "done")
    throw Error(T("Дана команда не підтримується !"));
}

void PageEditor::UpdateStyle() {
  const QVariantList style = RunScript(kStyle).toList();
  if (style.size() == 3)
    emit styleChanged(style[0].toBool(), style[1].toBool(), style[2].toBool());
}

void PageEditor::Undo() {
  browser_->page()->triggerAction(QWebEnginePage::Undo);
}

void PageEditor::Redo() {
  browser_->page()->triggerAction(QWebEnginePage::Redo);
}

void PageEditor::SelectAll() {
  browser_->page()->triggerAction(QWebEnginePage::SelectAll);
}

void PageEditor::Find() {
  if (findRequested)
    findRequested();
}

void PageEditor::ApplyFontName(const std::string& name) {
  ExecuteCommand("FontName", Q(FontNameValue(name)));
}

void PageEditor::ApplyFontSize(int points) {
  ExecuteCommand("FontSize", FontSizeValue(points));
}

void PageEditor::ApplyFontColor(RgbColor colour) {
  ExecuteCommand("ForeColor", QString::fromStdString(ColorToHTML(colour)));
}

void PageEditor::ChooseFont() {
  const auto font = prompts_->ChooseFont(lastFont_);
  if (!font)
    return;
  lastFont_ = *font;
  for (const std::string& command :
       StyleCommands(font->bold, font->italic, font->underline, font->strikeOut))
    ExecuteCommand(command);
  ApplyFontName(font->name);
  ApplyFontSize(font->points);
  ApplyFontColor(font->colour);
}

namespace {
std::string Utf8(const QString& text) {
  return text.toStdString();
}
QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}
} // namespace

void PageEditor::InsertLink(const QString& url, const QString& name) {
  InsertHTML(FromUtf8(LinkFragment(Utf8(url), Utf8(name))));
}

void PageEditor::LinkSelection(const QString& url) {
  const QVariant text = RunScript(
      QString(kSelectedObject) +
      "(function() { return qvSelectedObject() ? null : String(window.getSelection()); })()");
  if (text.isNull() || !text.isValid())
    throw Error(T("Дана команда не підтримується !"));
  // Nothing selected: the address itself is the link's text, so the link can be seen.
  const QString shown = text.toString().isEmpty() ? url : text.toString();
  InsertHTML(FromUtf8(LinkFragment(Utf8(url), Utf8(shown))));
}

void PageEditor::InsertImage(const QString& src) {
  InsertHTML(FromUtf8(ImageFragment(Utf8(src))));
}

void PageEditor::InsertSubscript(const QString& text) {
  InsertHTML(FromUtf8(SubscriptFragment(Utf8(text))));
}

void PageEditor::InsertSuperscript(const QString& text) {
  InsertHTML(FromUtf8(SuperscriptFragment(Utf8(text))));
}

void PageEditor::InsertCSymbol() {
  InsertHTML(kCopyrightFragment);
}

void PageEditor::InsertRSymbol() {
  InsertHTML(kRegisteredFragment);
}

void PageEditor::InsertTMSymbol() {
  InsertHTML(kTradeMarkFragment);
}

void PageEditor::InsertHorizontalLine() {
  InsertHTML(kHorizontalLineFragment);
}

void PageEditor::WaitAndFocus() {
  if (loading_) {
    QEventLoop loop;
    QMetaObject::Connection done =
        connect(this, &PageEditor::documentComplete, &loop, [&loop] { loop.quit(); });
    if (loading_)
      loop.exec();
    disconnect(done);
  }
  browser_->setFocus();
}

QString PageEditor::PageText(QString* charset) {
  return Serialise(false, charset);
}

QString PageEditor::PageTextWithBase() {
  return Serialise(true, nullptr);
}

QString PageEditor::Serialise(bool withBase, QString* charset) {
  const QVariantList page =
      RunScript(QString(kSerialise) + (withBase ? "(true)" : "(false)")).toList();
  if (page.size() != 2)
    throw Error(T("Відбулася помилка при збережені !"));
  if (charset)
    *charset = page[0].toString();
  return page[1].toString();
}

bool PageEditor::SaveDocument(const std::filesystem::path& path) {
  try {
    QString charset;
    const QString text = PageText(&charset);
    ReplaceFileBytes(path, EncodePage(text, charset));
    return true;
  } catch (const Error&) {
    prompts_->Warning(T("Відбулася помилка при збережені !"));
    return false;
  }
}

} // namespace quarbel

#include "wb_edit.moc"
