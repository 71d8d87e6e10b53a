#include "wordproc/word_document_check.h"
#include "wordproc/word_running.h"

#include "support/test_support.h"
#include "text/error.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;
using namespace std::string_literals;

TEST(WordDocumentCheck, AcceptsWordFormatsAndRefusesEverythingElse) {
  struct Case {
    const char* name;
    std::string head;
    bool accepted;
  } cases[] = {
      {"docx package", "PK\x03\x04rest", true},
      {"binary or encrypted", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest", true},
      {"rtf", "{\\rtf1\\ansi", true},
      {"Word XML", "\xEF\xBB\xBF<?xml version=\"1.0\"?>", true},
      {"web page saved as .doc", "\r\n  <HTML><body>", true},
      {"plain text", "Just text", false},
      {"empty", "", false},
      {"picture", "\xFF\xD8\xFF\xE0JFIF", false},
      {"zip without its header", "PK\x05\x06", false},
      {"rtf fragment without its header", "{\\pard Text\\par}", true},
      {"rtf after a byte order mark", "\xEF\xBB\xBF{\\rtf1\\ansi", true},
      {"rtf after blank lines", "\r\n\r\n{\\rtf1", true},
      {"a brace but no control word", "{ just text }", false},
      {"a brace and a backslash alone", "{\\", false},
  };
  TempDir dir;
  for (const Case& c : cases) {
    WriteBytes(dir / "file.doc", c.head);
    bool accepted = true;
    try {
      CheckWordDocumentFile(dir / "file.doc");
    } catch (const Error& e) {
      accepted = false;
      EXPECT_EQ(U(e.text()), "Файл \"" + (dir / "file.doc").string() + "\" не є документом Word");
    }
    EXPECT_EQ(accepted, c.accepted) << c.name;
  }
  EXPECT_THROW(CheckWordDocumentFile(dir / "missing.doc"), Error);
  EXPECT_THROW(CheckWordDocumentFile(dir.path()), Error);
}

TEST(WordDocumentCheck, RtfThatLibreOfficeCannotReadAsItIsIsMended) {
  struct Case {
    std::string bytes;
    WordDocumentShape shape;
    std::string mended; // what LibreOffice gets when the shape is RepairRtf
  } cases[] = {
      {"{\\rtf1\\ansi Text}", WordDocumentShape::AsItIs, ""},
      {"PK\x03\x04rest", WordDocumentShape::AsItIs, ""},
      {"{\\pard Text\\par}", WordDocumentShape::RepairRtf, "{\\rtf1{\\pard Text\\par}}"},
      {"\xEF\xBB\xBF{\\rtf1 Text}", WordDocumentShape::RepairRtf, "{\\rtf1 Text}"},
      {" \r\n{\\*\\generator x}{\\pard}", WordDocumentShape::RepairRtf,
       "{\\rtf1{\\*\\generator x}{\\pard}}"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    WriteBytes(dir / "file.rtf", c.bytes);
    EXPECT_EQ(CheckWordDocumentFile(dir / "file.rtf"), c.shape) << c.bytes;
    if (c.shape == WordDocumentShape::RepairRtf) {
      EXPECT_EQ(RepairedRtf(c.bytes), c.mended) << c.bytes;
    }
  }
}

TEST(WordRunning, FindsWinwordByCommandOrFirstArgumentInAnyLetterCase) {
  TempDir proc;
  const auto process = [&](const char* pid, const char* comm, const std::string& cmdline) {
    std::filesystem::create_directory(proc / pid);
    WriteBytes(proc / pid / "comm", comm);
    WriteBytes(proc / pid / "cmdline", cmdline);
  };
  process("1", "systemd\n", "/sbin/init\0splash\0"s);
  process("20", "bash\n", "-bash\0"s);
  std::filesystem::create_directory(proc / "self"); // not a process number
  WriteBytes(proc / "self" / "comm", "WINWORD.EXE\n");
  EXPECT_FALSE(IsWordRunning(proc.path()));

  process("300", "wine-preloader\n",
          "C:\\Program Files\\Microsoft Office\\Office12\\WinWord.exe\0/n\0"s);
  EXPECT_TRUE(IsWordRunning(proc.path()));
  std::filesystem::remove_all(proc / "300");
  process("301", "WINWORD.EXE\n", ""s);
  EXPECT_TRUE(IsWordRunning(proc.path()));
  std::filesystem::remove_all(proc / "301");
  process("302", "winword.exe.bak\n", "/opt/winword.exe.bak\0"s);
  EXPECT_FALSE(IsWordRunning(proc.path()));

  EXPECT_FALSE(IsWordRunning(proc / "missing"));
  EXPECT_FALSE(IsWordRunning()); // this machine runs no Word
}

} // namespace
} // namespace quarbel
