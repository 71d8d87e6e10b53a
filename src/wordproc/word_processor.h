#pragma once

#include <filesystem>

namespace quarbel {

// The word processor that turns Word documents into web pages, driven call by call as the
// textbook generation walks the course: start once, then open, save as a web page and
// close each document, and quit at the end.
class WordProcessor {
public:
  virtual ~WordProcessor() = default;

  // Starts the word processor. False when none is installed; throws Error when one is
  // there but cannot be started.
  virtual bool start() = 0;

  // Opens a document; throws Error with a text for the user when it cannot.
  virtual void open(const std::filesystem::path& document) = 0;

  // Saves the open document as a web page at `page`: Windows-1251 text with "<head>" on a
  // line of its own, the charset line, the "<meta name" lines, the title line, one "<style>"
  // section, the body ending in a line "</body>"; a table of contents as MsoToc entries
  // followed by MsoNormal paragraphs. Pictures are written beside the page. Throws Error.
  virtual void saveAsWebPage(const std::filesystem::path& page) = 0;

  // Closes the open document without saving it.
  virtual void close() = 0;

  // Ends the word processor. Never throws.
  virtual void quit() = 0;

  // Called from another thread: a call in progress ends at once with an Error, and so does
  // every call after it; the word processor is ended. Never throws.
  virtual void abort() {}
};

} // namespace quarbel
