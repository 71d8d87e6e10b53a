#pragma once

#include "prompts/prompts.h"

#include <QImage>
#include <QSize>

#include <chrono>
#include <filesystem>

class QWebEngineView;
class QWidget;

namespace quarbel {

class PageEditor;

// How long the page may take to load for its picture, with all its pictures.
inline constexpr std::chrono::milliseconds kPageLoadTimeout{30000};

// "Зберегти як зображення . . .": the picture chooser loop, then the page as edited, laid
// out in a view as large as the screen, drawn and written as BMP, GIF or JPEG. A page that
// cannot be drawn or a picture that cannot be written goes to the error report, and no
// picture is written then.
void SavePagePicture(PageEditor& engine, QWebEngineView* browser, Prompts& prompts,
                     std::chrono::milliseconds loadTimeout = kPageLoadTimeout);

// The page as edited, laid out and drawn in a view of exactly `size` pixels. Throws Error,
// naming the page and the reason, when the page cannot be written for the view or does not
// load in it within `loadTimeout`.
QImage DrawPage(PageEditor& engine, QWebEngineView* browser, QSize size,
                std::chrono::milliseconds loadTimeout = kPageLoadTimeout);

// Writes the picture: type 1 BMP, 2 GIF (at most 256 colours), 3 or 4 JPEG (quality 90,
// baseline). Throws Error when the file cannot be written.
void WritePagePicture(const QImage& image, const std::filesystem::path& path, int type);

} // namespace quarbel
