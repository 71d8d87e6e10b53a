#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the program needs.
# Cheap to call every time: when everything is present it does nothing.
set -euo pipefail

packages=(
  # tool chain
  g++ cmake ninja-build make pkg-config git clang clang-format libclang-rt-14-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev tidy
  # Qt 6 and its Ukrainian translations
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-webengine-dev qt6-webengine-dev-tools qt6-svg-dev qt6-translations-l10n
  libgl-dev
  # the word processor: LibreOfficeKit and Writer (the variant without a desktop lacks the
  # window layouts that LibreOffice needs to lay out a document's comments)
  libreofficekit-dev libreoffice-writer
  # page parsing, pictures, compression
  libxml2-dev libgif-dev libjpeg-dev zlib1g-dev zip unzip
  # the page cache's hashes, and the search of the modern textbook
  nettle-dev libjs-lunr
  # packages for learning platforms and e-readers: zip files, and the EPUB validator
  libzip-dev epubcheck libxml2-utils
  # headless runs of the program
  xvfb xauth x11-utils fonts-dejavu-core
  # the Debian package and its checks (make package, the DebianPackage test)
  dpkg-dev lintian desktop-file-utils appstream shared-mime-info file gzip man-db bsdextrautils
  librsvg2-bin python3
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
