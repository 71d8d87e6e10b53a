// Makes the pictures the program ships: the document type icons of the program folder
// (PNG) and the built-in textbook icons (GIF) that are compiled into the program.
//
//   quarbel-make-data TYPE_ICON_FOLDER GIF_FOLDER
//
// It also draws a PNG from a text picture (for the sample course):
//
//   quarbel-make-data --text-picture SOURCE.txt OUTPUT.png
//
// and the program's icon at any size, for the desktop's icon theme:
//
//   quarbel-make-data --application-icon SIZE OUTPUT.png
//
// A text picture starts with "scale N", then one line "C #rrggbb" per colour character,
// an empty line, and the rows of the picture, one character a pixel.

#include "icons.h"
#include "pictures/gif_encoder.h"
#include "png_writer.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

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

datagen::Canvas TextPicture(const std::filesystem::path& source) {
  std::ifstream in(source);
  std::string line;
  int scale = 1;
  std::map<char, datagen::Rgba> colours;
  std::vector<std::string> rows;
  bool inRows = false;
  while (std::getline(in, line)) {
    if (!inRows) {
      if (line.empty()) {
        inRows = true;
      } else if (line.rfind("scale ", 0) == 0) {
        scale = std::stoi(line.substr(6));
      } else if (line.size() == 9 && line[1] == ' ' && line[2] == '#') {
        const auto hex = [&](int at) {
          return static_cast<std::uint8_t>(std::stoi(line.substr(at, 2), nullptr, 16));
        };
        colours[line[0]] = {hex(3), hex(5), hex(7)};
      } else {
        throw std::runtime_error("not a text picture line: " + line);
      }
    } else {
      rows.push_back(line);
    }
  }
  size_t width = 0;
  for (const std::string& row : rows)
    width = std::max(width, row.size());
  datagen::Canvas canvas(static_cast<int>(width) * scale, static_cast<int>(rows.size()) * scale);
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) {
      const auto colour = colours.find(rows[y][x]);
      if (colour != colours.end())
        canvas.Fill(datagen::Rect(x * scale, y * scale, (x + 1) * scale, (y + 1) * scale),
                    colour->second);
    }
  }
  return canvas;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--text-picture") {
    try {
      WritePng(argv[3], TextPicture(argv[2]));
      return 0;
    } catch (const std::exception& e) {
      std::cerr << "quarbel-make-data: " << e.what() << "\n";
      return 1;
    }
  }
  if (argc == 4 && std::string(argv[1]) == "--application-icon") {
    try {
      size_t end = 0;
      const int size = std::stoi(argv[2], &end);
      if (end != std::string(argv[2]).size() || size < 8 || size > 1024)
        throw std::runtime_error(std::string("not an icon size: ") + argv[2]);
      WritePng(argv[3], datagen::ApplicationIcon(size));
      return 0;
    } catch (const std::exception& e) {
      std::cerr << "quarbel-make-data: " << e.what() << "\n";
      return 1;
    }
  }
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
    WritePng(typeIcons / "quarbel-vorizareda.png", datagen::ApplicationIcon());
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
