// Makes mediaplayer.swf, the Flash player that textbook video pages embed: a compressed
// movie of 640 x 480 pixels holding one video object and a script that plays the variable
// "file" through a NetStream and honours "autostart", "volume" and "stretching"
// (none, uniform, fill, exactfit). A click pauses and resumes.
//
//   quarbel-make-player OUTPUT.swf

#include "action_assembler.h"

#include <fstream>
#include <iostream>
#include <zlib.h>

namespace {

using player::ActionAssembler;
using A = ActionAssembler;
using player::Null;

constexpr int kWidth = 640, kHeight = 480;

// video._<property> = value on the stack top (the value must be pushed by `value`).
template <typename PushValue>
void SetVideoProperty(ActionAssembler& a, const char* property, PushValue value) {
  a.Push({std::string("video")});
  a.Op(A::GetVariable);
  a.Push({std::string(property)});
  value();
  a.Op(A::SetMember);
}

// Calls object.method(arguments pushed by `arguments`, count of them) and drops the result.
template <typename PushArguments>
void CallMethod(ActionAssembler& a, const char* object, const char* method, int count,
                PushArguments arguments) {
  arguments();
  a.Push({count, std::string(object)});
  a.Op(A::GetVariable);
  a.Push({std::string(method)});
  a.Op(A::CallMethod);
  a.Op(A::Pop);
}

// The body of ns.onMetaData(info): sizes and centres the video for the stretching mode.
ActionAssembler MetaDataHandler() {
  ActionAssembler f;
  for (const char* size : {"width", "height"}) {
    f.Push({std::string(size == std::string("width") ? "w" : "h"), std::string("info")});
    f.Op(A::GetVariable);
    f.Push({std::string(size)});
    f.Op(A::GetMember);
    f.Op(A::DefineLocal);
  }
  // sx = W / w, sy = H / h; s = 1 ("none").
  f.Push({std::string("sx"), kWidth, std::string("w")});
  f.Op(A::GetVariable);
  f.Op(A::Divide);
  f.Op(A::DefineLocal);
  f.Push({std::string("sy"), kHeight, std::string("h")});
  f.Op(A::GetVariable);
  f.Op(A::Divide);
  f.Op(A::DefineLocal);
  f.Push({std::string("s"), 1});
  f.Op(A::DefineLocal);
  // "uniform": the whole picture shows; "fill": the area is covered.
  for (const auto& [mode, function] : {std::pair{"uniform", "min"}, std::pair{"fill", "max"}}) {
    f.Push({std::string("stretching")});
    f.Op(A::GetVariable);
    f.Push({std::string(mode)});
    f.Op(A::Equals2);
    f.Op(A::Not);
    const size_t skip = f.IfTrue();
    f.Push({std::string("s"), std::string("sy")});
    f.Op(A::GetVariable);
    f.Push({std::string("sx")});
    f.Op(A::GetVariable);
    f.Push({2, std::string("Math")});
    f.Op(A::GetVariable);
    f.Push({std::string(function)});
    f.Op(A::CallMethod);
    f.Op(A::SetVariable);
    f.Land(skip);
  }
  // fw = w * s, fh = h * s; "exactfit" stretches to the whole area.
  f.Push({std::string("fw"), std::string("w")});
  f.Op(A::GetVariable);
  f.Push({std::string("s")});
  f.Op(A::GetVariable);
  f.Op(A::Multiply);
  f.Op(A::DefineLocal);
  f.Push({std::string("fh"), std::string("h")});
  f.Op(A::GetVariable);
  f.Push({std::string("s")});
  f.Op(A::GetVariable);
  f.Op(A::Multiply);
  f.Op(A::DefineLocal);
  f.Push({std::string("stretching")});
  f.Op(A::GetVariable);
  f.Push({std::string("exactfit")});
  f.Op(A::Equals2);
  f.Op(A::Not);
  const size_t notExact = f.IfTrue();
  f.Push({std::string("fw"), kWidth});
  f.Op(A::SetVariable);
  f.Push({std::string("fh"), kHeight});
  f.Op(A::SetVariable);
  f.Land(notExact);
  struct Placement {
    const char* property;
    const char* variable;
    int area; // 0: the size itself; else centred in this much room
  };
  const Placement placements[] = {
      {"_width", "fw", 0}, {"_height", "fh", 0}, {"_x", "fw", kWidth}, {"_y", "fh", kHeight}};
  for (const Placement& p : placements) {
    SetVideoProperty(f, p.property, [&] {
      if (p.area == 0) {
        f.Push({std::string(p.variable)});
        f.Op(A::GetVariable);
      } else {
        f.Push({p.area, std::string(p.variable)});
        f.Op(A::GetVariable);
        f.Op(A::Subtract);
        f.Push({2});
        f.Op(A::Divide);
      }
    });
  }
  return f;
}

ActionAssembler PlayerScript() {
  ActionAssembler a;
  // nc = new NetConnection(); nc.connect(null);
  a.Push({std::string("nc"), 0, std::string("NetConnection")});
  a.Op(A::NewObject);
  a.Op(A::SetVariable);
  CallMethod(a, "nc", "connect", 1, [&] { a.Push({Null{}}); });
  // ns = new NetStream(nc);
  a.Push({std::string("ns"), std::string("nc")});
  a.Op(A::GetVariable);
  a.Push({1, std::string("NetStream")});
  a.Op(A::NewObject);
  a.Op(A::SetVariable);
  // video.attachVideo(ns); _root.attachAudio(ns);
  for (const char* target : {"video", "_root"}) {
    CallMethod(a, target, target == std::string("video") ? "attachVideo" : "attachAudio", 1, [&] {
      a.Push({std::string("ns")});
      a.Op(A::GetVariable);
    });
  }
  // vol = Number(volume); if (isNaN(vol)) vol = 50; snd = new Sound(_root); snd.setVolume(vol);
  a.Push({std::string("vol"), std::string("volume")});
  a.Op(A::GetVariable);
  a.Push({1, std::string("Number")});
  a.Op(A::CallFunction);
  a.Op(A::SetVariable);
  a.Push({std::string("vol")});
  a.Op(A::GetVariable);
  a.Push({1, std::string("isNaN")});
  a.Op(A::CallFunction);
  a.Op(A::Not);
  const size_t haveVolume = a.IfTrue();
  a.Push({std::string("vol"), 50});
  a.Op(A::SetVariable);
  a.Land(haveVolume);
  a.Push({std::string("snd"), std::string("_root")});
  a.Op(A::GetVariable);
  a.Push({1, std::string("Sound")});
  a.Op(A::NewObject);
  a.Op(A::SetVariable);
  CallMethod(a, "snd", "setVolume", 1, [&] {
    a.Push({std::string("vol")});
    a.Op(A::GetVariable);
  });
  // Until the stream tells its size the video fills the area.
  SetVideoProperty(a, "_width", [&] { a.Push({kWidth}); });
  SetVideoProperty(a, "_height", [&] { a.Push({kHeight}); });
  // ns.onMetaData = function (info) { ... };
  a.Push({std::string("ns")});
  a.Op(A::GetVariable);
  a.Push({std::string("onMetaData")});
  a.Function({"info"}, MetaDataHandler());
  a.Op(A::SetMember);
  // _root.onMouseDown = function () { ns.pause(); };
  ActionAssembler toggle;
  CallMethod(toggle, "ns", "pause", 0, [] {});
  a.Push({std::string("_root")});
  a.Op(A::GetVariable);
  a.Push({std::string("onMouseDown")});
  a.Function({}, toggle);
  a.Op(A::SetMember);
  // ns.play(file); if (autostart != "true") ns.pause(true);
  CallMethod(a, "ns", "play", 1, [&] {
    a.Push({std::string("file")});
    a.Op(A::GetVariable);
  });
  a.Push({std::string("autostart")});
  a.Op(A::GetVariable);
  a.Push({std::string("true")});
  a.Op(A::Equals2);
  const size_t autostart = a.IfTrue();
  CallMethod(a, "ns", "pause", 1, [&] { a.Push({true}); });
  a.Land(autostart);
  a.Op(A::Stop);
  a.Op(A::End);
  return a;
}

// ---- The movie ------------------------------------------------------------------------

void Put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void Tag(std::string& out, int code, const std::string& body) {
  if (body.size() < 0x3F) {
    Put16(out, static_cast<std::uint32_t>(code << 6 | body.size()));
  } else {
    Put16(out, static_cast<std::uint32_t>(code << 6 | 0x3F));
    Put32(out, static_cast<std::uint32_t>(body.size()));
  }
  out += body;
}

// The frame rectangle in twips: 5 bits of field size, then xmin, xmax, ymin, ymax.
std::string FrameRectangle() {
  const int bits = 15;
  const std::uint32_t values[] = {0, kWidth * 20, 0, kHeight * 20};
  std::string out;
  std::uint32_t accumulator = 0;
  int filled = 0;
  const auto put = [&](std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
      accumulator = (accumulator << 1) | ((value >> i) & 1);
      if (++filled == 8) {
        out += static_cast<char>(accumulator);
        accumulator = 0;
        filled = 0;
      }
    }
  };
  put(bits, 5);
  for (const std::uint32_t v : values)
    put(v, bits);
  if (filled)
    out += static_cast<char>(accumulator << (8 - filled));
  return out;
}

std::string Movie() {
  std::string body = FrameRectangle();
  Put16(body, 24 << 8);                              // 24 frames a second (8.8 fixed point)
  Put16(body, 1);                                    // one frame
  Tag(body, 69, std::string("\x01\x00\x00\x00", 4)); // FileAttributes: uses the network
  Tag(body, 9, std::string("\x00\x00\x00", 3));      // SetBackgroundColor: black
  std::string video;
  Put16(video, 1); // character id
  Put16(video, 0); // frames: played from a stream
  Put16(video, kWidth);
  Put16(video, kHeight);
  video += '\x01';      // smoothing
  video += '\x02';      // codec: Sorenson H.263
  Tag(body, 60, video); // DefineVideoStream
  std::string place;
  place += '\x22'; // has a name and a character
  Put16(place, 1); // depth
  Put16(place, 1); // character id
  place += std::string("video") + '\0';
  Tag(body, 26, place); // PlaceObject2
  const ActionAssembler script = PlayerScript();
  Tag(body, 12, std::string(script.bytes().begin(), script.bytes().end())); // DoAction
  Tag(body, 1, "");                                                         // ShowFrame
  Tag(body, 0, "");                                                         // End

  uLongf size = compressBound(body.size());
  std::string packed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                reinterpret_cast<const Bytef*>(body.data()), body.size(), 9) != Z_OK)
    throw std::runtime_error("compression failed");
  packed.resize(size);
  std::string movie = "CWS";
  movie += '\x08'; // version 8
  Put32(movie, static_cast<std::uint32_t>(body.size() + 8));
  return movie + packed;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: quarbel-make-player OUTPUT.swf\n";
    return 2;
  }
  try {
    const std::string movie = Movie();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(movie.data(), static_cast<std::streamsize>(movie.size()));
    if (!out)
      throw std::runtime_error(std::string("cannot write ") + argv[1]);
  } catch (const std::exception& e) {
    std::cerr << "quarbel-make-player: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
