#!/usr/bin/env bash
# The Debian package, as a user's machine gets it:
#
#   check_package.sh BUILD_FOLDER SOURCE_FOLDER CPACK
#
# builds it with CPack into a temporary folder (make package's own .deb is left alone),
# reads its control fields and owners, unpacks it and checks the tree file by file, runs
# lintian (errors fail, warnings are listed), desktop-file-validate, appstreamcli and
# update-mime-database over its files, compares the scalable icon with the drawn ones, and
# converts a small course with the unpacked quarbel-convert.
set -euo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
cpack=$3
here=$(cd "$(dirname "$0")" && pwd)
app=org.quarbel.Vorizareda

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
step() { echo "== $*"; }

step "building the package"
(cd "$build" && "$cpack" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; echo "FAIL: cpack" >&2; exit 1; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: cpack made ${#debs[@]} packages" >&2; exit 1; }
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "quarbel-vorizareda_2.0.0_${arch}.deb" ] ||
  fail "package file name $(basename "$deb")"

step "control fields"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quarbel-vorizareda ] || fail "Package: $(field Package)"
[ "$(field Version)" = 2.0.0 ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
depends=$(field Depends)
echo "Depends: $depends"
case "$depends" in
  *"libreoffice-writer | libreoffice-writer-nogui"*) ;;
  *) fail "Depends lacks LibreOffice Writer" ;;
esac
# The libraries come from dpkg-shlibdeps, with versions.
for library in libc6 libqt6widgets6 libqt6webenginecore6 libxml2 libgif7; do
  grep -Eq "(^|, )$library \(>= [^)]+\)" <<< "$depends" || fail "Depends lacks $library"
done
grep -Eq '^[^<>]+ <[^@<> ]+@[^@<> ]+\.[^@<> ]+>$' <<< "$(field Maintainer)" ||
  fail "Maintainer: $(field Maintainer)"
description=$(field Description)
grep -q "electronic textbook" <<< "$description" || fail "no English description"
grep -q "електронний" <<< "$description" || fail "no Ukrainian description"

step "owners and permissions"
# Every entry root/root; directories and executables 0755, other files 0644.
while read -r mode owner _ _ _ name; do
  name=${name%/}
  [ "$owner" = root/root ] || fail "$name owned by $owner"
  case "$mode" in
    d*) [ "$mode" = drwxr-xr-x ] || fail "$name: $mode" ;;
    -*)
      case "$name" in
        ./usr/bin/* | ./usr/lib/quarbel-vorizareda/quarbel-wordproc)
          [ "$mode" = -rwxr-xr-x ] || fail "$name: $mode" ;;
        *) [ "$mode" = -rw-r--r-- ] || fail "$name: $mode" ;;
      esac ;;
    *) fail "$name: not a file or folder ($mode)" ;;
  esac
done < <(dpkg-deb -c "$deb" | sed -E 's/ +/ /g')
while read -r mode owner _ _ _ name; do
  [ "$owner" = root/root ] || fail "control $name owned by $owner"
  case "$name" in
    ./) ;;
    ./control | ./md5sums) [ "$mode" = -rw-r--r-- ] || fail "control $name: $mode" ;;
    *) fail "unexpected control file $name" ;;
  esac
done < <(dpkg-deb --ctrl-tarfile "$deb" | tar -tvf - | sed -E 's/ +/ /g')

step "the unpacked tree"
root="$work/root"
dpkg-deb -x "$deb" "$root"
expected=(
  usr/bin/quarbel-convert
  usr/bin/quarbel-vorizareda
  usr/lib/quarbel-vorizareda/quarbel-wordproc
  "usr/share/quarbel-vorizareda/Data Base/Data Base.QCD"
  usr/share/quarbel-vorizareda/Help/index.html
  usr/share/applications/$app.desktop
  usr/share/metainfo/$app.metainfo.xml
  usr/share/mime/packages/$app.xml
  usr/share/icons/hicolor/scalable/apps/$app.svg
  usr/share/man/man1/quarbel-convert.1.gz
  usr/share/man/man1/quarbel-vorizareda.1.gz
  usr/share/doc/quarbel-vorizareda/copyright
  usr/share/doc/quarbel-vorizareda/changelog.gz
)
sizes=(16 32 48 64 128 256)
for size in "${sizes[@]}"; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app.png")
done
# The data as the build's program folder has it: every style sheet and picture.
for file in "$build"/program/Styles/*.css "$build"/program/Icons/Software/*; do
  expected+=("usr/share/quarbel-vorizareda/${file#"$build"/program/}")
done
printf '%s\n' "${expected[@]}" | LC_ALL=C sort > "$work/expected.txt"
(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) > "$work/actual.txt"
if ! diff -u "$work/expected.txt" "$work/actual.txt"; then
  fail "the package's files differ from the list (- expected, + packed)"
fi
for name in Styles/Default.css Icons/Software/PDF.PNG "Data Base/Data Base.QCD" Help/index.html; do
  cmp -s "$build/program/$name" "$root/usr/share/quarbel-vorizareda/$name" ||
    fail "$name differs from the program folder's"
done
for executable in usr/bin/quarbel-convert usr/bin/quarbel-vorizareda \
                  usr/lib/quarbel-vorizareda/quarbel-wordproc; do
  description=$(file -b "$root/$executable")
  case "$description" in
    *ELF*", stripped"*) ;;
    *) fail "$executable: $description" ;;
  esac
done

step "lintian"
# No tag is suppressed: every one that fires is listed below.
lintian --display-level ">=pedantic" "$deb" > "$work/lintian.txt" 2> "$work/lintian.err" ||
  true
grep -v 'running with root privileges' "$work/lintian.err" >&2 || true
cat "$work/lintian.txt"
grep -q '^E: ' "$work/lintian.txt" && fail "lintian found errors"
# A lintian that could not read the package says so on its error stream with no tags.
grep -Eq '^(E|W|I|P|N|X|O): |^$' "$work/lintian.txt" || [ ! -s "$work/lintian.txt" ] ||
  fail "lintian output not understood"
grep -qi 'error\|cannot\|failed' "$work/lintian.err" && fail "lintian did not run cleanly"
echo "lintian: $(grep -c '^E: ' "$work/lintian.txt" || true) errors," \
     "$(grep -c '^W: ' "$work/lintian.txt" || true) warnings," \
     "$(grep -c '^I: ' "$work/lintian.txt" || true) notes"

step "desktop entry"
desktop="$root/usr/share/applications/$app.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Exec)" = "quarbel-vorizareda %f" ] || fail "Exec=$(entry Exec)"
[ "$(entry Icon)" = "$app" ] || fail "Icon=$(entry Icon)"
[ "$(entry Categories)" = "Education;Office;" ] || fail "Categories=$(entry Categories)"
for key in Name GenericName Comment Keywords; do
  [ -n "$(entry "$key")" ] || fail "no $key="
  [ -n "$(entry "$key\\[uk\\]")" ] || fail "no $key[uk]="
done
[ -x "$root/usr/bin/$(entry Exec | cut -d' ' -f1)" ] || fail "Exec names no packed program"

step "AppStream"
metainfo="$root/usr/share/metainfo/$app.metainfo.xml"
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
  fail "the launchable is not the packed desktop entry"
grep -q '<release version="2.0.0" date="2026-12-10"' "$metainfo" || fail "no 2.0.0 release"

step "MIME types"
# The system's types and ours in a private database, as shared-mime-info's trigger builds it.
mime="$work/mime"
mkdir -p "$mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/$app.xml" \
   "$mime/packages/"
XDG_DATA_DIRS="$work" update-mime-database "$mime" > "$work/mime.log" 2>&1 || { cat "$work/mime.log"; fail "update-mime-database"; }
[ -s "$work/mime.log" ] && { cat "$work/mime.log"; fail "update-mime-database complained"; }
for glob in "application/x-quarbel-course:\*\.qct" "application/x-quarbel-course:\*\.QCT" \
            "application/x-quarbel-record:\*\.qcd" "application/x-quarbel-record:\*\.QCD"; do
  grep -q "$glob" "$mime/globs2" || fail "no glob $glob"
done
for type in application/x-quarbel-course application/x-quarbel-record; do
  grep -q "$type;" <<< "$(entry MimeType)" || fail "the desktop entry does not open $type"
  [ -f "$mime/application/${type#application/}.xml" ] || fail "$type not in the database"
  grep -q 'xml:lang="uk"' "$mime/application/${type#application/}.xml" ||
    fail "$type has no Ukrainian comment"
done

step "icons"
for size in "${sizes[@]}"; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$app.png"
  grep -q "PNG image data, $size x $size," <<< "$(file -b "$png")" ||
    fail "$size x $size icon: $(file -b "$png")"
done
# The scalable icon is the same picture: drawn by rsvg at 128 and 256 it stays within one
# level in 255 of the drawn ones on average (a disc moved by 6 pixels is 3.4 apart).
for size in 128 256; do
  rsvg-convert -w "$size" -h "$size" "$root/usr/share/icons/hicolor/scalable/apps/$app.svg" \
    -o "$work/svg-$size.png"
  difference=$(python3 "$here/png_difference.py" "$work/svg-$size.png" \
               "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app.png")
  echo "scalable icon at $size: $difference apart"
  python3 -c "import sys; sys.exit(float(sys.argv[1]) >= 1.0)" "$difference" ||
    fail "the scalable icon at $size differs from the drawn one ($difference)"
done

step "manual pages"
for page in quarbel-convert quarbel-vorizareda; do
  gz="$root/usr/share/man/man1/$page.1.gz"
  gzip -t "$gz" || fail "$page.1.gz is not gzip"
  text=$(zcat "$gz" | LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l - 2> "$work/man.err" | col -b)
  [ -s "$work/man.err" ] && { cat "$work/man.err"; fail "groff warns about $page.1"; }
  grep -q "^NAME" <<< "$text" && grep -Eq "$page +- " <<< "$text" || fail "$page.1 has no NAME"
done
# Every option quarbel-convert --help names is in its manual page.
page=$(zcat "$root/usr/share/man/man1/quarbel-convert.1.gz" | sed 's/\\-/-/g')
while read -r option; do
  grep -q -- "$option" <<< "$page" || fail "quarbel-convert.1 lacks $option"
done < <("$build/program/quarbel-convert" --help 2>&1 | grep -oE '^ +--[a-z-]+' | tr -d ' ')

step "a course converted by the unpacked quarbel-convert"
course="$work/course"
mkdir -p "$course"
# A PDF of one empty page, and a picture.
printf '%s\n' '%PDF-1.4' '1 0 obj <</Type /Catalog /Pages 2 0 R>> endobj' \
  '2 0 obj <</Type /Pages /Kids [3 0 R] /Count 1>> endobj' \
  '3 0 obj <</Type /Page /Parent 2 0 R /MediaBox [0 0 200 200]>> endobj' \
  'trailer <</Root 1 0 R>>' '%%EOF' > "$course/lecture.pdf"
cp "$root/usr/share/icons/hicolor/48x48/apps/$app.png" "$course/poster.png"
# The structure file: Windows-1251, CR LF, a TAB for each level.
{
  printf '%s\r\n' "Механіка"
  printf '\t%s\r\n' "Лекція з механіки [ $course/lecture.pdf ]"
  printf '\t%s\r\n' "Плакат [ $course/poster.png ]"
} | iconv -f UTF-8 -t WINDOWS-1251 > "$course/Курс.QCT"
mkdir -p "$work/home"
if ! index=$(HOME="$work/home" XDG_CACHE_HOME="$work/home/cache" XDG_CONFIG_HOME="$work/home/config" \
             "$root/usr/bin/quarbel-convert" --yes "$course/Курс.QCT" "$work/textbook" \
             2> "$work/convert.err"); then
  cat "$work/convert.err" >&2
  fail "the unpacked quarbel-convert failed"
else
  [ "$index" = "$work/textbook/index.html" ] || fail "quarbel-convert printed '$index'"
  [ -f "$work/textbook/index.html" ] || fail "no index.html"
  cmp -s "$course/lecture.pdf" "$work/textbook/other/lecture.pdf" || fail "the PDF is not in the textbook"
  cmp -s "$course/poster.png" "$work/textbook/other/poster.png" || fail "the picture is not in the textbook"
  # The PDF's picture comes from the installed data folder.
  cmp -s "$root/usr/share/quarbel-vorizareda/Icons/Software/PDF.PNG" "$work/textbook/img/pdf.png" ||
    fail "the PDF's picture is not the packed one"
  menu=$(iconv -f WINDOWS-1251 -t UTF-8 "$work/textbook/menu.html")
  for title in "Механіка" "Лекція з механіки" "Плакат"; do
    grep -q "$title" <<< "$menu" || fail "the menu lacks $title"
  done
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "the package passed every check"
