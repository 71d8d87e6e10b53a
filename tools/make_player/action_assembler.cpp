#include "action_assembler.h"

#include <cstring>
#include <stdexcept>

namespace player {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void PutString(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

} // namespace

void ActionAssembler::Record(std::uint8_t code, const std::vector<std::uint8_t>& payload) {
  if (payload.size() > 0xFFFF)
    throw std::length_error("action too long");
  bytes_.push_back(code);
  Put16(bytes_, static_cast<std::uint32_t>(payload.size()));
  bytes_.insert(bytes_.end(), payload.begin(), payload.end());
}

void ActionAssembler::Push(const std::vector<Value>& values) {
  std::vector<std::uint8_t> payload;
  for (const Value& value : values) {
    if (const auto* text = std::get_if<std::string>(&value)) {
      payload.push_back(0);
      PutString(payload, *text);
    } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
      payload.push_back(7);
      Put16(payload, static_cast<std::uint32_t>(*number) & 0xFFFF);
      Put16(payload, static_cast<std::uint32_t>(*number) >> 16);
    } else if (const auto* real = std::get_if<double>(&value)) {
      // A double is stored as its two 32-bit halves, the high half first.
      std::uint64_t bits;
      std::memcpy(&bits, real, sizeof bits);
      payload.push_back(6);
      for (int shift : {32, 40, 48, 56, 0, 8, 16, 24})
        payload.push_back((bits >> shift) & 0xFF);
    } else if (const auto* flag = std::get_if<bool>(&value)) {
      payload.push_back(5);
      payload.push_back(*flag ? 1 : 0);
    } else {
      payload.push_back(2); // null
    }
  }
  Record(0x96, payload);
}

size_t ActionAssembler::IfTrue() {
  Record(0x9D, {0, 0});
  return bytes_.size();
}

void ActionAssembler::Land(size_t jump) {
  const auto offset = static_cast<std::int32_t>(bytes_.size() - jump);
  if (offset > 0x7FFF)
    throw std::length_error("jump too far");
  bytes_[jump - 2] = offset & 0xFF;
  bytes_[jump - 1] = (offset >> 8) & 0xFF;
}

void ActionAssembler::Function(const std::vector<std::string>& parameters,
                               const ActionAssembler& body) {
  std::vector<std::uint8_t> payload;
  PutString(payload, ""); // anonymous
  Put16(payload, static_cast<std::uint32_t>(parameters.size()));
  for (const std::string& parameter : parameters)
    PutString(payload, parameter);
  Put16(payload, static_cast<std::uint32_t>(body.bytes().size()));
  Record(0x9B, payload);
  bytes_.insert(bytes_.end(), body.bytes().begin(), body.bytes().end());
}

} // namespace player
