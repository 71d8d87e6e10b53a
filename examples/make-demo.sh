#!/usr/bin/env bash
# Builds the sample course from the text sources in examples/course and converts it into a
# textbook, a SCORM package and an EPUB book:   examples/make-demo.sh BUILD_FOLDER
# The documents are made by LibreOffice: a .docx with a table of contents, a .doc, an .rtf
# and a PDF; the picture is drawn from a text picture by the build's picture maker.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
demo="$build/demo"
rm -rf "$demo/textbook" "$demo/textbook-modern"
bash "$here/make-demo-course.sh" "$build" "$demo"

# Both looks of the same course, side by side, with a SCORM package of the classic one and an
# EPUB book (textbook-modern.epub).
"$build/program/quarbel-convert" --package scorm "$demo/Механіка.QCT" "$demo/textbook"
"$build/program/quarbel-convert" --layout modern --package epub "$demo/Механіка.QCT" \
  "$demo/textbook-modern"

# The README's pictures: each look on a laptop and on a phone.
shots="$here/../docs/screenshots"
mkdir -p "$shots"
shot() { # PAGE SIZE NAME [SCRIPT]
  QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" QTWEBENGINE_DISABLE_SANDBOX=1 \
    QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}" \
    "$build/tools/page_shot/quarbel-page-shot" "file://$1" "$2" "$shots/$3.png" "${4:-}"
}
shot "$demo/textbook/index.html" 1366x768 classic-1366
shot "$demo/textbook/index.html" 390x844 classic-390
shot "$demo/textbook-modern/page1.html" 1366x768 modern-1366
shot "$demo/textbook-modern/page1.html" 390x844 modern-390
shot "$demo/textbook-modern/page1.html" 390x844 modern-390-menu \
  "document.getElementById('menu-button').click()"
echo "Textbooks: $demo/textbook and $demo/textbook-modern, packages beside them; pictures in docs/screenshots"
