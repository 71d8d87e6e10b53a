#pragma once

#include "generator/modern_menu.h"
#include "generator/package/zip_writer.h"
#include "generator/textbook_layout.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quarbel {

// A SCORM 1.2 package of a finished textbook: the textbook's files as they are, a launch page
// (scorm.html) that shows the textbook and reports to the platform, its script
// (quarbel-scorm.js), and imsmanifest.xml. The textbook is one SCO: the platform launches
// scorm.html, and the student moves through the textbook's own menu and page turns. The
// manifest's organization is the course tree under that one launchable item.
struct ScormCourse {
  std::string title;              // UTF-8
  std::string identifier;         // the manifest's identifier, an XML name
  std::vector<MenuEntry> tree;    // the pages as PageTree gives them
  std::vector<std::string> pages; // every page in reading order ("page1.html", …)
  TextbookLayout layout = TextbookLayout::Classic;
};

// imsmanifest.xml for the course; `files` are the package's files (UTF-8, "/" between
// folders), the launch page and its script among them.
std::string ScormManifest(const ScormCourse& course, const std::vector<std::string>& files);

// scorm.html: the textbook in a frame the size of the window, and what the script needs to
// know (where the textbook starts, its pages, the frame that shows a page in the classic
// look).
std::string ScormLaunchPage(const ScormCourse& course);

// Every file of the textbook's folder, relative (UTF-8, "/" between folders), sorted; the
// list of a textbook's own files is not one of them.
std::vector<std::string> TextbookFiles(const std::filesystem::path& folder);

// Adds the textbook in `folder`, the launch page, its script and the manifest to `zip`.
void WriteScormPackage(const ScormCourse& course, const std::filesystem::path& folder,
                       ZipWriter& zip);

} // namespace quarbel
