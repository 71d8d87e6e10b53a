#!/usr/bin/env bash
# The sample course (examples/) converted into both packages, each checked by the tools a
# platform or a reader relies on:   check_demo_packages.sh BUILD_FOLDER
#  - the EPUB: epubcheck without an error or a warning, its mimetype entry first and stored;
#  - the SCORM zip: intact, its manifest well-formed and listing every file of the zip.
set -euo pipefail

build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"

bash "$here/../../examples/make-demo-course.sh" "$build" "$work"
course="$work/Механіка.QCT"
convert="$build/program/quarbel-convert"

for layout in classic modern; do
  echo "== $layout"
  "$convert" --layout "$layout" --package epub "$course" "$work/$layout"
  unzip -tq "$work/$layout.epub"
  first=$(zipinfo -1 "$work/$layout.epub" | sed -n 1p)
  [ "$first" = "mimetype" ] || { echo "the first entry is $first, not mimetype" >&2; exit 1; }
  details=$(zipinfo -v "$work/$layout.epub" mimetype)
  [[ "$details" == *"compression method:"*"none (stored)"* ]] ||
    { echo "mimetype is compressed" >&2; exit 1; }
  report=$(java -jar /usr/bin/epubcheck "$work/$layout.epub" 2>&1) ||
    { echo "$report" >&2; exit 1; }
  [[ "$report" == *"No errors or warnings detected."* ]] || { echo "$report" >&2; exit 1; }

  "$convert" --layout "$layout" --package scorm "$course" "$work/$layout"
  unzip -tq "$work/$layout.zip"
  unzip -p "$work/$layout.zip" imsmanifest.xml > "$work/manifest.xml"
  xmllint --noout "$work/manifest.xml"
  listed=$(xmllint --xpath '//*[local-name()="file"]/@href' "$work/manifest.xml" |
    sed 's/ href="\([^"]*\)"/\1\n/g' | sed '/^$/d' | sort)
  zipped=$(zipinfo -1 "$work/$layout.zip" | grep -v '/$' | grep -vx imsmanifest.xml | sort)
  [ "$listed" = "$zipped" ] || { diff <(echo "$listed") <(echo "$zipped") >&2; exit 1; }
done
echo "Both packages of the sample course pass their checks."
