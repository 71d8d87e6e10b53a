#pragma once

#include "prompts/prompts.h"

#include <QImage>
#include <QSize>

#include <filesystem>

class QWebEngineView;
class QWidget;

namespace quarbel {

class PageEditor;

// "Зберегти як зображення . . .": the picture chooser loop, then the page as edited, laid
// out in a view as large as the screen, drawn and written as BMP, GIF or JPEG. A picture
// that cannot be written goes to the error report of `owner`.
void SavePagePicture(PageEditor& engine, QWebEngineView* browser, Prompts& prompts);

// The page as edited, laid out and drawn in a view of exactly `size` pixels.
QImage DrawPage(PageEditor& engine, QWebEngineView* browser, QSize size);

// Writes the picture: type 1 BMP, 2 GIF (at most 256 colours), 3 or 4 JPEG (quality 90,
// baseline). Throws Error when the file cannot be written.
void WritePagePicture(const QImage& image, const std::filesystem::path& path, int type);

} // namespace quarbel
