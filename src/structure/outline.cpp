#include "structure/outline.h"

namespace quarbel {

bool IsWellFormed(const Outline& outline) {
  int previous = -1;
  for (const OutlineNode& node : outline) {
    if (node.depth < 0 || node.depth > previous + 1)
      return false;
    previous = node.depth;
  }
  return true;
}

} // namespace quarbel
