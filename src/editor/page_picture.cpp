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
#include "widgets/qt_prompts.h"

#include <QBuffer>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QWebEngineView>

#include <cstring>

namespace quarbel {
namespace {

const char* const kPictureFilters = "Bitmaps (*.BMP *.bmp);;GIF Image (*.GIF *.gif);;"
                                    "JPG Image (*.JPG *.jpg);;JPEG Image (*.JPEG *.jpeg)";

RgbImage RgbOf(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbImage out;
  out.width = rgb.width();
  out.height = rgb.height();
  out.pixels.resize(static_cast<size_t>(out.width) * out.height * 3);
  for (int y = 0; y < out.height; ++y)
    std::memcpy(out.pixels.data() + static_cast<size_t>(y) * out.width * 3, rgb.constScanLine(y),
                static_cast<size_t>(out.width) * 3);
  return out;
}

// Runs the event loop for `ms` milliseconds.
void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

} // namespace

QImage DrawPage(PageEditor& engine, QWebEngineView* browser, QSize size) {
  const QString html = engine.PageText();
  QWebEngineView view;
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(size);
  view.show();
  QEventLoop loop;
  QObject::connect(&view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);
  view.setContent(html.toUtf8(), "text/html;charset=UTF-8", browser->url());
  loop.exec();
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
    bytes = EncodeGif(QuantiseColours(RgbOf(image)));
  } else {
    bytes = EncodeJpeg(RgbOf(image), 90);
  }
  WriteFileBytes(path, bytes);
}

void SavePagePicture(PageEditor& engine, QWebEngineView* browser, Prompts& prompts) {
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
    RunCommand(prompts,
               [&] { WritePagePicture(DrawPage(engine, browser, screen), *path, target.type); });
}

} // namespace quarbel
