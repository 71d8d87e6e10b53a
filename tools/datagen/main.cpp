// Makes the pictures the program ships: the document type icons of the program folder
// (PNG) and the built-in textbook icons (GIF) that are compiled into the program.
//
//   quarbel-make-data TYPE_ICON_FOLDER GIF_FOLDER

#include "icons.h"
#include "pictures/gif_encoder.h"
#include "png_writer.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path.string());
}

void WritePng(const std::filesystem::path& path, const datagen::Canvas& canvas) {
  WriteFile(path, datagen::EncodePng(canvas.width(), canvas.height(), canvas.Rgba8()));
}

void WriteGif(const std::filesystem::path& path, const datagen::Canvas& canvas) {
  WriteFile(path, quarbel::EncodeGif(canvas.Indexed()));
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: quarbel-make-data TYPE_ICON_FOLDER GIF_FOLDER\n";
    return 2;
  }
  try {
    const std::filesystem::path typeIcons = argv[1];
    const std::filesystem::path gifs = argv[2];
    std::filesystem::create_directories(typeIcons);
    std::filesystem::create_directories(gifs);
    using datagen::DocumentTypeIcon;
    WritePng(typeIcons / "PDF.PNG", DocumentTypeIcon("PDF", {211, 47, 47}));
    WritePng(typeIcons / "DjVu.PNG", DocumentTypeIcon("DjVu", {106, 27, 154}));
    WritePng(typeIcons / "MathCad.PNG", DocumentTypeIcon("MCD", {21, 101, 192}));
    WritePng(typeIcons / "Excel.PNG", DocumentTypeIcon("XLS", {46, 125, 50}));
    WritePng(typeIcons / "PowerPoint.PNG", DocumentTypeIcon("PPT", {230, 81, 0}));
    WriteGif(gifs / "home.gif", datagen::HomeIcon());
    WriteGif(gifs / "previous.gif", datagen::ArrowIcon(false));
    WriteGif(gifs / "forward.gif", datagen::ArrowIcon(true));
    WriteGif(gifs / "minus.gif", datagen::ExpanderIcon(false));
    WriteGif(gifs / "plus.gif", datagen::ExpanderIcon(true));
  } catch (const std::exception& e) {
    std::cerr << "quarbel-make-data: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
