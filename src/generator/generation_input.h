#pragma once

#include "generator/package/package_kind.h"
#include "generator/textbook_layout.h"
#include "generator/textbook_text.h"
#include "pictures/icon_picture.h"
#include "pictures/indexed_image.h"
#include "records/record_file.h"
#include "structure/outline.h"

#include <array>
#include <filesystem>
#include <string>

namespace quarbel {

class WordProcessor;

// Everything a conversion reads, as it stands when the user converts.
struct GenerationInput {
  Outline outline;
  std::filesystem::path outputFolder;
  std::filesystem::path programFolder;
  OutputEncoding encoding = OutputEncoding::Cp1251;
  // The style file (a Windows-1251 path), or empty for the default style with the colours.
  std::string styleFile;
  RgbColor menuColour{0xf2, 0xff, 0xbf};
  RgbColor pageColour{0xf2, 0xff, 0xbf};
  RgbColor ruleColour{0xff, 0xff, 0xbe};
  std::array<IconPicture, kIconCount> icons;
  bool navigation = true;
  bool titlePage = false; // the title page toggle
  RecordValue title;      // texts by TitlePageText, logo check box and picture
  bool authorPage = false;
  RecordValue author; // texts by AuthorText, photo check box and picture
  TextbookLayout layout = TextbookLayout::Classic;
  // A package made besides the folder, from the same conversion (see PackageFileOf).
  TextbookPackage package = TextbookPackage::None;
};

// Where a conversion tells how far it is; also its chance to keep the window alive.
class ProgressSink {
public:
  virtual ~ProgressSink() = default;
  // The load window comes up before the textbook is written and goes on every path.
  virtual void Show() {}
  virtual void Close() {}
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  // Called once per structure node, so that windows can repaint.
  virtual void ProcessEvents() = 0;
};

} // namespace quarbel
