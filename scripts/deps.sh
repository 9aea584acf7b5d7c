#!/usr/bin/env bash
# Installs the Debian 12 packages that Lexoria needs to build, run and test,
# only those that are missing. Runs as root, or through sudo.
set -euo pipefail

packages=(
  # build; clang-tidy checks the naming rule (scripts/lint.sh)
  g++ make cmake pkg-config clang-tidy
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libfluidsynth-dev libasound2-dev
  # search: the Xapian engine; SQLite (FTS5) only as the benchmark's baseline
  libxapian-dev libsqlite3-dev
  # run: Italian standard buttons, the General MIDI soundfont, the fonts the windows are designed in
  qt6-qpa-plugins qt6-translations-l10n timgm6mb-soundfont
  fonts-liberation2 fonts-croscore fonts-comic-neue fonts-urw-base35 fonts-dejavu-core fontconfig
  # the word processor the printed documents open in, and the PDF tools its test reads them with
  libreoffice-writer-nogui poppler-utils
  # the Debian package and its test: dpkg-shlibdeps, file (both used by cpack), the checkers
  dpkg-dev file lintian desktop-file-utils appstream
  # a sound server with a null sink standing in for a sound device (music test, start-up benchmark)
  pulseaudio
  # the start-up benchmark under an X server
  xvfb xauth
  # the run of each test function on its own reads CTest's list of tests with it
  python3
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
