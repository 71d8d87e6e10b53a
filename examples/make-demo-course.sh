#!/usr/bin/env bash
# Makes the sample course from the text sources in examples/course:
#   examples/make-demo-course.sh BUILD_FOLDER DEMO_FOLDER
# The documents are made by LibreOffice: a .docx with a table of contents, a .doc, an .rtf
# and a PDF; the picture is drawn from a text picture by the build's picture maker. The
# structure file is DEMO_FOLDER/Механіка.QCT.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
demo=$(cd "$2" && pwd)
documents="$demo/documents"
rm -rf "$documents"
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

