// The player files written into textbooks with video: the Flash movie and the script.
#include "resources/embedded_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <zlib.h>

namespace quarbel {
namespace {

std::uint32_t Le(std::string_view bytes, size_t at, int count) {
  std::uint32_t v = 0;
  for (int i = count - 1; i >= 0; --i)
    v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

std::string Inflate(std::string_view packed, size_t size) {
  std::string out(size, '\0');
  uLongf length = size;
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                       reinterpret_cast<const Bytef*>(packed.data()), packed.size()),
            Z_OK);
  out.resize(length);
  return out;
}

// Walks an action stream: every action inside it, every jump landing on an action start,
// every function body inside the stream. Returns the problems found.
std::string CheckActions(std::string_view code) {
  std::set<size_t> starts;
  std::vector<std::pair<size_t, long>> jumps;
  size_t pos = 0;
  bool ended = false;
  while (pos < code.size()) {
    starts.insert(pos);
    const auto action = static_cast<unsigned char>(code[pos++]);
    if (action == 0) {
      ended = true;
      break;
    }
    if (action < 0x80)
      continue;
    if (pos + 2 > code.size())
      return "action header cut short";
    const size_t length = Le(code, pos, 2);
    pos += 2;
    if (pos + length > code.size())
      return "action runs past the stream";
    if (action == 0x9D || action == 0x99) // If, Jump
      jumps.push_back({pos + length, static_cast<std::int16_t>(Le(code, pos, 2))});
    if (action == 0x9B) { // DefineFunction: the body follows the record
      const size_t bodySize = Le(code, pos + length - 2, 2);
      if (pos + length + bodySize > code.size())
        return "function body runs past the stream";
    }
    pos += length;
  }
  if (!ended || pos != code.size())
    return "the stream does not end with its end action";
  for (const auto& [from, offset] : jumps) {
    if (!starts.count(static_cast<size_t>(static_cast<long>(from) + offset)))
      return "a jump lands inside an action";
  }
  return "";
}

TEST(MediaPlayer, IsAWellFormedCompressedMovieWithItsScript) {
  const std::string_view swf = EmbeddedFile("mediaplayer.swf");
  ASSERT_GT(swf.size(), 8u);
  EXPECT_EQ(swf.substr(0, 3), "CWS");
  EXPECT_GE(static_cast<unsigned char>(swf[3]), 7); // the pages ask for Flash 7
  const std::uint32_t length = Le(swf, 4, 4);
  const std::string body = Inflate(swf.substr(8), length - 8);
  ASSERT_EQ(body.size() + 8, length);

  // Frame rectangle 640 x 480 (in twips), then rate and frame count.
  const int bits = static_cast<unsigned char>(body[0]) >> 3;
  const size_t rectBytes = (5 + 4 * bits + 7) / 8;
  size_t pos = rectBytes + 4;
  std::set<int> tags;
  std::string script;
  bool ended = false;
  while (pos + 2 <= body.size()) {
    const std::uint32_t header = Le(body, pos, 2);
    pos += 2;
    const int code = static_cast<int>(header >> 6);
    size_t size = header & 0x3F;
    if (size == 0x3F) {
      size = Le(body, pos, 4);
      pos += 4;
    }
    ASSERT_LE(pos + size, body.size()) << "tag " << code;
    tags.insert(code);
    if (code == 12)
      script = body.substr(pos, size);
    if (code == 60) {
      EXPECT_EQ(Le(body, pos + 4, 2), 640u);
      EXPECT_EQ(Le(body, pos + 6, 2), 480u);
    }
    pos += size;
    if (code == 0) {
      ended = true;
      break;
    }
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(pos, body.size());
  EXPECT_EQ(tags, (std::set<int>{0, 1, 9, 12, 26, 60, 69}));
  EXPECT_EQ(CheckActions(script), "");
  for (const char* name :
       {"NetConnection", "NetStream", "attachVideo", "file", "autostart", "volume", "stretching",
        "uniform", "fill", "exactfit", "setVolume", "onMetaData", "play", "pause"})
    EXPECT_NE(script.find(std::string(name) + '\0'), std::string::npos) << name;
}

TEST(SwfObjectScript, OffersTheInterfaceThePagesUse) {
  const std::string_view js = EmbeddedFile("swfobject.js");
  for (const char* part :
       {"function SWFObject(", "prototype.addParam", "prototype.addVariable", "prototype.write",
        "createElement(\"video\")", "allowfullscreen", "stretching", "autostart", "volume"})
    EXPECT_NE(js.find(part), std::string_view::npos) << part;
}

} // namespace
} // namespace quarbel
