#include "png_writer.h"

#include <stdexcept>
#include <zlib.h>

namespace datagen {
namespace {

void PutBigEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char type[4], const std::string& data) {
  PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  PutBigEndian32(out, static_cast<std::uint32_t>(
                          crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size())));
}

} // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  // Every row starts with filter type 0 (none).
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(rgba.data()) + static_cast<size_t>(y) * width * 4,
               static_cast<size_t>(width) * 4);
  }
  uLongf packedSize = compressBound(raw.size());
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 9) != Z_OK)
    throw std::runtime_error("PNG compression failed");
  packed.resize(packedSize);

  std::string header;
  PutBigEndian32(header, static_cast<std::uint32_t>(width));
  PutBigEndian32(header, static_cast<std::uint32_t>(height));
  header += '\x08';               // bit depth
  header += '\x06';               // colour type: RGBA
  header += std::string(3, '\0'); // compression, filter, interlace

  std::string out = "\x89PNG\r\n\x1a\n";
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", "");
  return out;
}

} // namespace datagen
