#include "support/compound_file.h"

#include <cstdint>

namespace quarbel::testing {
namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD,
                        kNoStream = 0xFFFFFFFF;
constexpr size_t kSector = 512;

void Put(std::string& out, size_t at, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string DirectoryEntry(const std::string& name, int type, std::uint32_t left,
                           std::uint32_t right, std::uint32_t child, std::uint32_t start,
                           std::uint64_t size) {
  std::string entry(128, '\0');
  for (size_t i = 0; i < name.size() && i < 31; ++i)
    entry[2 * i] = name[i]; // UTF-16LE
  Put(entry, 64, name.empty() ? 0 : (name.size() + 1) * 2, 2);
  entry[66] = static_cast<char>(type);
  entry[67] = 1; // black
  Put(entry, 68, left, 4);
  Put(entry, 72, right, 4);
  Put(entry, 76, child, 4);
  Put(entry, 116, start, 4);
  Put(entry, 120, size, 8);
  return entry;
}

} // namespace

std::string CompoundFile(const std::vector<std::pair<std::string, std::string>>& streams) {
  // Sector 0: the allocation table; sector 1: the directory; then the streams.
  std::vector<std::string> data;
  for (const auto& stream : streams) {
    std::string bytes = stream.second;
    if (bytes.size() < 4096)
      bytes.resize(4096, '\0');
    data.push_back(bytes);
  }
  std::vector<std::uint32_t> fat = {kFatSector, kEnd};
  std::vector<std::uint32_t> starts;
  for (const std::string& bytes : data) {
    const size_t sectors = (bytes.size() + kSector - 1) / kSector;
    starts.push_back(static_cast<std::uint32_t>(fat.size()));
    for (size_t i = 0; i < sectors; ++i)
      fat.push_back(i + 1 < sectors ? static_cast<std::uint32_t>(fat.size() + 1) : kEnd);
  }
  fat.resize(kSector / 4, kFree); // one allocation sector holds 128 entries: enough here

  std::string header(kSector, '\0');
  header.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
  Put(header, 24, 0x003E, 2); // minor version
  Put(header, 26, 0x0003, 2); // major version 3: 512-byte sectors
  Put(header, 28, 0xFFFE, 2); // little-endian
  Put(header, 30, 9, 2);      // sector size 2^9
  Put(header, 32, 6, 2);      // mini sector size 2^6
  Put(header, 44, 1, 4);      // allocation sectors
  Put(header, 48, 1, 4);      // first directory sector
  Put(header, 56, 4096, 4);   // mini stream cutoff
  Put(header, 60, kEnd, 4);   // no mini allocation table
  Put(header, 68, kEnd, 4);   // no extra allocation sectors
  Put(header, 76, 0, 4);      // the allocation sector
  for (size_t at = 80; at < kSector; at += 4)
    Put(header, at, kFree, 4);

  std::string table(kSector, '\0');
  for (size_t i = 0; i < fat.size(); ++i)
    Put(table, i * 4, fat[i], 4);

  // The root holds the streams as a chain of right siblings, shortest names first, as the
  // directory's ordering asks.
  std::string directory = DirectoryEntry("Root Entry", 5, kNoStream, kNoStream,
                                         streams.empty() ? kNoStream : 1, kEnd, 0);
  for (size_t i = 0; i < streams.size(); ++i) {
    const std::uint32_t right =
        i + 1 < streams.size() ? static_cast<std::uint32_t>(i + 2) : kNoStream;
    directory +=
        DirectoryEntry(streams[i].first, 2, kNoStream, right, kNoStream, starts[i], data[i].size());
  }
  directory.resize(kSector, '\0');
  for (size_t i = streams.size() + 1; i < 4; ++i) {
    Put(directory, i * 128 + 68, (std::uint64_t{kNoStream} << 32) | kNoStream, 8);
    Put(directory, i * 128 + 76, kNoStream, 4);
  }

  std::string file = header + table + directory;
  for (std::string& bytes : data) {
    bytes.resize((bytes.size() + kSector - 1) / kSector * kSector, '\0');
    file += bytes;
  }
  return file;
}

} // namespace quarbel::testing
