#include "support/zip_writer.h"

#include <cstdint>
#include <zlib.h>

namespace quarbel::testing {
namespace {

void Put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

} // namespace

std::string ZipArchive(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string out;
  std::string directory;
  for (const auto& [name, data] : entries) {
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    const auto offset = static_cast<std::uint32_t>(out.size());
    const auto size = static_cast<std::uint32_t>(data.size());

    Put32(out, 0x04034b50); // local file header
    Put16(out, 20);         // version needed
    Put16(out, 0);          // flags
    Put16(out, 0);          // stored
    Put16(out, 0);          // time
    Put16(out, 0x21);       // date: 1980-01-01
    Put32(out, crc);
    Put32(out, size);
    Put32(out, size);
    Put16(out, static_cast<std::uint32_t>(name.size()));
    Put16(out, 0);
    out += name;
    out += data;

    Put32(directory, 0x02014b50); // central directory header
    Put16(directory, 20);
    Put16(directory, 20);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0x21);
    Put32(directory, crc);
    Put32(directory, size);
    Put32(directory, size);
    Put16(directory, static_cast<std::uint32_t>(name.size()));
    Put16(directory, 0); // extra
    Put16(directory, 0); // comment
    Put16(directory, 0); // disk
    Put16(directory, 0); // internal attributes
    Put32(directory, 0); // external attributes
    Put32(directory, offset);
    directory += name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(out.size());
  out += directory;
  Put32(out, 0x06054b50); // end of central directory
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<std::uint32_t>(entries.size()));
  Put16(out, static_cast<std::uint32_t>(entries.size()));
  Put32(out, static_cast<std::uint32_t>(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}

} // namespace quarbel::testing
