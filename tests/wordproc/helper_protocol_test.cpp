#include "wordproc/helper_protocol.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

TEST(HelperProtocol, AnyPathTravelsAsOneLineAndComesBackByteForByte) {
  const std::string cases[] = {
      "/home/t/Курс.docx",
      "/tmp/out/victim\nx/page1.html",
      "/tmp/a\rb\tc",
      "/tmp/100%/x%41y",
      "/tmp/%zz%4",
      std::string("/tmp/\x01\x1F\x7F end"),
      "",
  };
  for (const std::string& path : cases) {
    const std::string field = EncodeHelperField(path);
    EXPECT_EQ(field.find_first_of("\r\n"), std::string::npos) << field;
    EXPECT_EQ(DecodeHelperField(field), path) << field;
  }
  EXPECT_EQ(EncodeHelperField("a\nb%"), "a%0Ab%25");
  // A "%" without two hex digits after it stands for itself.
  EXPECT_EQ(DecodeHelperField("50%"), "50%");
  EXPECT_EQ(DecodeHelperField("%4g%41"), "%4gA");
}

} // namespace
} // namespace quarbel
