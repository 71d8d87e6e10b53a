#include "editor/page_picture.h"

#include "editor/editor_rules.h"
#include "editor/wb_edit.h"
#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoder.h"
#include "pictures/jpeg_encoder.h"
#include "prompts/command_runner.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "widgets/picture_fitting.h"
#include "widgets/qt_prompts.h"

#include <QBuffer>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace quarbel {
namespace {

const char* const kPictureFilters = "Bitmaps (*.BMP *.bmp);;GIF Image (*.GIF *.gif);;"
                                    "JPG Image (*.JPG *.jpg);;JPEG Image (*.JPEG *.jpeg)";

// Runs the event loop for `ms` milliseconds.
void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

// The page's text in a new file of the temporary folder, removed with this object. The view
// reads the page from a file: text given to it directly may not exceed 2 MB once
// percent-encoded, and a Cyrillic letter takes six bytes there. The file is not put beside
// the page, where a copy left by a crash would become part of the textbook; the <base> of
// PageTextWithBase keeps the page's relative addresses pointing into its own folder. The
// text is UTF-8 with a byte order mark, which the browser trusts over the page's own
// <meta> charset.
class TemporaryPage {
public:
  explicit TemporaryPage(const QString& text) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
      throw Error(T("Не вдалося знайти папку для тимчасових файлів: ") +
                  SystemErrorText(error.value()));
    std::string name = (folder / "quarbel-page-XXXXXX.htm").string();
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0)
      throw Error(T("Не вдалося створити тимчасовий файл у папці \"") + PathForMessage(folder) +
                  "\": " + SystemErrorText(errno));
    ::close(fd);
    path_ = name;
    const QByteArray utf8 = text.toUtf8();
    WriteFileBytes(path_, "\xEF\xBB\xBF" + std::string(utf8.constData(), utf8.size()));
  }
  ~TemporaryPage() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TemporaryPage(const TemporaryPage&) = delete;
  TemporaryPage& operator=(const TemporaryPage&) = delete;

  const std::filesystem::path& Path() const { return path_; }

private:
  std::filesystem::path path_;
};

std::string PageForMessage(const QUrl& url) {
  if (url.isLocalFile())
    return PathForMessage(std::filesystem::path(url.toLocalFile().toStdString()));
  return Cp1251FromUtf8Lossy(url.toString().toStdString());
}

} // namespace

QImage DrawPage(PageEditor& engine, QWebEngineView* browser, QSize size,
                std::chrono::milliseconds loadTimeout) {
  const std::string failed = T("Не вдалося побудувати зображення сторінки \"") +
                             PageForMessage(browser->url()) + "\".\r\n";
  std::unique_ptr<TemporaryPage> copy;
  try {
    copy = std::make_unique<TemporaryPage>(engine.PageTextWithBase());
  } catch (const Error& error) {
    throw Error(failed + error.text());
  }
  QWebEngineView view;
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(size);
  view.show();
  enum class Load { Pending, Done, Failed } load = Load::Pending;
  QEventLoop loop;
  QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
    load = ok ? Load::Done : Load::Failed;
    loop.quit();
  });
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
  timeout.start(loadTimeout);
  view.load(QUrl::fromLocalFile(QString::fromStdString(copy->Path().string())));
  if (load == Load::Pending)
    loop.exec();
  if (load == Load::Pending) {
    view.stop();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(loadTimeout).count();
    throw Error(failed + T("Сторінка не завантажилася за ") + std::to_string(seconds) +
                T(" с: вона чекає на зображення чи інший файл, який не надходить."));
  }
  if (load == Load::Failed)
    throw Error(failed + T("Браузер не зміг відкрити тимчасову копію сторінки \"") +
                PathForMessage(copy->Path()) + "\".");
  // The view paints a moment after the page has loaded.
  Pause(400);
  QImage image = view.grab().toImage();
  if (image.size() != size)
    image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return image.convertToFormat(QImage::Format_RGB32);
}

void WritePagePicture(const QImage& image, const std::filesystem::path& path, int type) {
  std::string bytes;
  if (type == 1) {
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
      throw Error(Cp1251FromUtf8("Не вдалося записати зображення BMP"));
    bytes.assign(bmp.constData(), static_cast<size_t>(bmp.size()));
  } else if (type == 2) {
    bytes = EncodeGif(QuantiseColours(RgbImageOf(image)));
  } else {
    bytes = EncodeJpeg(RgbImageOf(image), 90);
  }
  WriteFileBytes(path, bytes);
}

void SavePagePicture(PageEditor& engine, QWebEngineView* browser, Prompts& prompts,
                     std::chrono::milliseconds loadTimeout) {
  const QSize screen = browser->screen() ? browser->screen()->size() : QSize(1024, 768);
  PictureTarget target;
  const auto path = prompts.ChooseFileToSave([&]() -> std::optional<std::filesystem::path> {
    const auto chosen = prompts.ChooseSaveFileWithFilter(Cp1251FromUtf8(kPictureFilters));
    if (!chosen)
      return std::nullopt;
    target = PictureTargetOf(chosen->path.string(), chosen->filter);
    return std::filesystem::path(target.path);
  });
  if (path)
    RunCommand(prompts, [&] {
      WritePagePicture(DrawPage(engine, browser, screen, loadTimeout), *path, target.type);
    });
}

} // namespace quarbel
