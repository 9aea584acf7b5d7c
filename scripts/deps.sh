#!/usr/bin/env bash
# Installs the Debian 12 packages that Lexoria needs to build, run and test,
# only those that are missing. Runs as root, or through sudo.
set -euo pipefail

packages=(
  # build
  g++ make cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libfluidsynth-dev libasound2-dev
  # run: Italian standard buttons, the General MIDI soundfont, the fonts the windows are designed in
  qt6-qpa-plugins qt6-translations-l10n timgm6mb-soundfont
  fonts-liberation2 fonts-croscore fonts-comic-neue fonts-urw-base35 fonts-dejavu-core fontconfig
  # the word processor the printed documents open in, and the PDF tools its test reads them with
  libreoffice-writer-nogui poppler-utils
  # a sound server with a null sink standing in for a sound device (music test, start-up benchmark)
  pulseaudio
  # the start-up benchmark under an X server
  xvfb xauth
)

top=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# LibreOffice draws "Century Gothic", the documents' font, with URW Gothic.
install_font_alias() {
  local conf=/etc/fonts/conf.d/31-lexoria-fonts.conf
  cmp -s "$top/export/fontconfig/lexoria-fonts.conf" "$conf" 2>/dev/null ||
    $sudo install -D -m644 "$top/export/fontconfig/lexoria-fonts.conf" "$conf"
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  install_font_alias
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
install_font_alias
