#!/usr/bin/env bash
# Builds the sample course from the text sources in examples/course and converts it into a
# textbook:   examples/make-demo.sh BUILD_FOLDER
# The documents are made by LibreOffice: a .docx with a table of contents, a .doc, an .rtf
# and a PDF; the picture is drawn from a text picture by the build's picture maker.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
demo="$build/demo"
documents="$demo/documents"
rm -rf "$documents" "$demo/textbook" "$demo/textbook-modern"
mkdir -p "$documents"

convert() { # FORMAT SOURCE
  soffice --headless "-env:UserInstallation=file://$demo/libreoffice-profile" \
    --convert-to "$1" --outdir "$documents" "$here/course/$2" >/dev/null 2>&1
}
convert docx lecture-1.fodt
convert doc lecture-2.fodt
convert rtf lecture-3.fodt
convert pdf summary.fodt
"$build/tools/datagen/quarbel-make-data" --text-picture "$here/course/poster.txt" "$documents/poster.png"
for made in lecture-1.docx lecture-2.doc lecture-3.rtf summary.pdf poster.png; do
  [ -f "$documents/$made" ] || { echo "LibreOffice did not make $made" >&2; exit 1; }
done

# The course structure: TAB for each level, Windows-1251, CR LF.
tab=$'\t'
{
  printf '%s\r\n' "Механіка"
  printf '%s\r\n' "${tab}Кінематика і динаміка [ $documents/lecture-1.docx ]"
  printf '%s\r\n' "${tab}Робота і енергія [ $documents/lecture-2.doc ]"
  printf '%s\r\n' "Коливання"
  printf '%s\r\n' "${tab}Лекція про коливання [ $documents/lecture-3.rtf ]"
  printf '%s\r\n' "${tab}Додатки"
  printf '%s\r\n' "${tab}${tab}Плакат [ $documents/poster.png ]"
  printf '%s\r\n' "Підсумки [ $documents/summary.pdf ]"
} | iconv -f UTF-8 -t WINDOWS-1251 > "$demo/Механіка.QCT"

# Both looks of the same course, side by side.
"$build/program/quarbel-convert" "$demo/Механіка.QCT" "$demo/textbook"
"$build/program/quarbel-convert" --layout modern "$demo/Механіка.QCT" "$demo/textbook-modern"

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
echo "Textbooks: $demo/textbook and $demo/textbook-modern; pictures in docs/screenshots"
