// The build leaves a program folder that the program can run from as it stands.
#include "tablestore/image_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::filesystem::path kProgram = QUARBEL_PROGRAM_DIR;

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

unsigned BigEndian32(const std::string& bytes, size_t at) {
  unsigned v = 0;
  for (size_t i = 0; i < 4; ++i)
    v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(ProgramFolder, HoldsTheDocumentTypeIconsUnderTheirExactNames) {
  for (const char* name : {"PDF.PNG", "DjVu.PNG", "MathCad.PNG", "Excel.PNG", "PowerPoint.PNG"}) {
    const std::string png = Read(kProgram / "Icons" / "Software" / name);
    ASSERT_GT(png.size(), 33u) << name;
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
    EXPECT_EQ(png.substr(12, 4), "IHDR") << name;
    EXPECT_EQ(BigEndian32(png, 16), 64u) << name;
    EXPECT_EQ(BigEndian32(png, 20), 64u) << name;
    EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND") << name;
  }
}

TEST(ProgramFolder, HoldsTheDefaultStyleSheet) {
  const std::string css = Read(kProgram / "Styles" / "Default.css");
  EXPECT_NE(css.find("body"), std::string::npos);
  EXPECT_NE(css.find(".MsoToc1"), std::string::npos);
  // Style sheets are copied into textbooks as they are; they must not depend on an encoding.
  for (const char c : css)
    ASSERT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(ProgramFolder, HoldsTheEmptyRecordTemplate) {
  const std::string header("\xAF\0\0\0S\0\0\0\0\x0A\0\0\0\x9E\0\0\0", 17);
  const std::string expected = header + quarbel::testing::RecordFileDefinitions();
  EXPECT_EQ(expected.size(), 175u);
  EXPECT_EQ(Read(kProgram / "Data Base" / "Data Base.QCD"), expected);
}

} // namespace
