#include "pictures/gif_encoder.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>

namespace quarbel {
namespace {

int AppendToString(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

struct MapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

void Check(int status, GifFileType* gif) {
  if (status == GIF_ERROR) {
    const int code = gif->Error;
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
    throw std::runtime_error(std::string("GIF encoding failed: ") + GifErrorString(code));
  }
}

} // namespace

std::string EncodeGif(const IndexedImage& image) {
  const size_t colours = image.palette.size();
  if (image.width <= 0 || image.height <= 0 || colours == 0 || colours > 256 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height ||
      (image.transparentIndex &&
       (*image.transparentIndex < 0 || static_cast<size_t>(*image.transparentIndex) >= colours)))
    throw std::invalid_argument("inconsistent indexed picture");
  for (const std::uint8_t index : image.pixels) {
    if (index >= colours)
      throw std::invalid_argument("pixel index outside the palette");
  }

  // The palette of a GIF has a power-of-two size of at least 2.
  int bits = 1;
  while ((1u << bits) < colours)
    ++bits;
  std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(1 << bits, nullptr));
  if (!map)
    throw std::runtime_error("GIF encoding failed: no memory for the palette");
  for (size_t i = 0; i < colours; ++i)
    map->Colors[i] = GifColorType{image.palette[i].r, image.palette[i].g, image.palette[i].b};

  std::string out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendToString, &error);
  if (!gif)
    throw std::runtime_error(std::string("GIF encoding failed: ") + GifErrorString(error));
  EGifSetGifVersion(gif, true);
  Check(EGifPutScreenDesc(gif, image.width, image.height, bits, 0, map.get()), gif);
  if (image.transparentIndex) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.UserInputFlag = false;
    control.DelayTime = 0;
    control.TransparentColor = *image.transparentIndex;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension), gif);
  }
  Check(EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr), gif);
  std::vector<GifPixelType> row(static_cast<size_t>(image.width));
  for (int y = 0; y < image.height; ++y) {
    const auto* source = image.pixels.data() + static_cast<size_t>(y) * image.width;
    row.assign(source, source + image.width);
    Check(EGifPutLine(gif, row.data(), image.width), gif);
  }
  if (EGifCloseFile(gif, &error) == GIF_ERROR)
    throw std::runtime_error(std::string("GIF encoding failed: ") + GifErrorString(error));
  return out;
}

} // namespace quarbel
