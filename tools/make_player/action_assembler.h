#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A small assembler for ActionScript 2 bytecode (the DoAction tag of a Flash movie).
namespace player {

struct Null {};
using Value = std::variant<std::string, std::int32_t, double, bool, Null>;

class ActionAssembler {
public:
  // Action codes used by the player.
  enum Code : std::uint8_t {
    End = 0x00,
    Stop = 0x07,
    Subtract = 0x0B,
    Multiply = 0x0C,
    Divide = 0x0D,
    Not = 0x12,
    Pop = 0x17,
    GetVariable = 0x1C,
    SetVariable = 0x1D,
    CallFunction = 0x3D,
    DefineLocal = 0x3C,
    NewObject = 0x40,
    Equals2 = 0x49,
    GetMember = 0x4E,
    SetMember = 0x4F,
    CallMethod = 0x52,
  };

  void Op(Code code) { bytes_.push_back(code); }
  void Push(const std::vector<Value>& values);

  // A forward jump taken when the popped value is true; Land() fixes where it goes.
  size_t IfTrue();
  void Land(size_t jump);

  // A function literal: what `body` assembles becomes its code; it leaves the function on
  // the stack.
  void Function(const std::vector<std::string>& parameters, const ActionAssembler& body);

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
  void Record(std::uint8_t code, const std::vector<std::uint8_t>& payload);
  std::vector<std::uint8_t> bytes_;
};

} // namespace player
