#include "font5x7.h"

namespace datagen {

const Glyph& GlyphOf(char c) {
  static const Glyph kBlank = {"     ", "     ", "     ", "     ", "     ", "     ", "     "};
  static const Glyph kC = {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "};
  static const Glyph kD = {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "};
  static const Glyph kE = {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"};
  static const Glyph kF = {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "};
  static const Glyph kL = {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"};
  static const Glyph kM = {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"};
  static const Glyph kP = {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "};
  static const Glyph kS = {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "};
  static const Glyph kT = {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "};
  static const Glyph kV = {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "};
  static const Glyph kX = {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"};
  static const Glyph kj = {"   # ", "     ", "  ## ", "   # ", "   # ", "#  # ", " ##  "};
  static const Glyph ku = {"     ", "     ", "#   #", "#   #", "#   #", "#  ##", " ## #"};
  switch (c) {
  case 'C': return kC;
  case 'D': return kD;
  case 'E': return kE;
  case 'F': return kF;
  case 'L': return kL;
  case 'M': return kM;
  case 'P': return kP;
  case 'S': return kS;
  case 'T': return kT;
  case 'V': return kV;
  case 'X': return kX;
  case 'j': return kj;
  case 'u': return ku;
  default: return kBlank;
  }
}

} // namespace datagen
