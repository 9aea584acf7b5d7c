#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it, checks that its
# files are where the desktop looks for them, starts the installed program up to
# the chooser and saves the whole guide from it as an ordinary user, then purges
# the package and checks that nothing of it is left. Installs and removes a
# system package: run it as root (or through sudo) on a machine for tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export LC_ALL=C.UTF-8

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }
check() { # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

"$top/scripts/deps.sh"
deb=$("$top/scripts/package.sh")
echo "Package: $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

# Each package named once among the dependencies.
depends=$(dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort)
repeated=$(uniq -d <<<"$depends")
check "no dependency named twice${repeated:+ (twice: $repeated)}" test -z "$repeated"
check "the search library among the dependencies" grep -qx 'libxapian30' <<<"$depends"

# lintian: errors fail the test; warnings are listed for the reader.
# (Run as root it warns that it should not be; that note is not about the package.)
lintian_out=$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1 || true)
echo "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then fail "lintian reports errors"; else pass "lintian: no errors"; fi

# A copy left from an earlier run would hide what this package does.
$sudo dpkg --purge lexoria >/dev/null 2>&1 || true
if ! $sudo dpkg -i "$deb"; then
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -f -y -qq
fi
if dpkg-query -W -f='${Status}' lexoria 2>/dev/null | grep -q "install ok installed"; then
  pass "package installed"
else
  fail "package not installed"; exit 1
fi

# The files where the desktop, the menu, the icon theme and fontconfig look for them.
app=example.velaria.Lexoria
check "launcher lexoria on PATH" test "$(command -v lexoria)" = /usr/bin/lexoria
check "launcher runs the program in /usr/lib/lexoria" test "$(readlink -f /usr/bin/lexoria)" = /usr/lib/lexoria/lexoria
check "program is executable" test -x /usr/lib/lexoria/lexoria
for f in SuggerimentiLexoria.TXT listino.txt Internet.mid; do
  check "$f beside the program" cmp -s "$top/assets/$f" "/usr/lib/lexoria/$f"
done
check "menu entry" desktop-file-validate "/usr/share/applications/$app.desktop"
check "menu entry starts the launcher" grep -qx 'Exec=lexoria' "/usr/share/applications/$app.desktop"
check "AppStream metadata" appstreamcli validate --no-net "/usr/share/metainfo/$app.metainfo.xml"
for size in 16 22 24 32 48 64 128 256; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/$app.png
  check "icon ${size}x${size}" bash -c "file -b '$icon' | grep -q 'PNG image data, $size x $size'"
done
check "manual page" test -s /usr/share/man/man1/lexoria.1.gz
check "copyright" test -s /usr/share/doc/lexoria/copyright
check "font alias link" test "$(readlink -f /etc/fonts/conf.d/31-lexoria-fonts.conf)" = \
  /usr/share/fontconfig/conf.avail/31-lexoria-fonts.conf
check "Century Gothic drawn with URW Gothic" bash -c "fc-match 'Century Gothic' | grep -q 'URW Gothic'"

# The installed program, started by an ordinary user as from the menu: the
# program's folder is read-only for that user.
user=nobody
home=$(mktemp -d)
chmod 755 "$home"
mkdir -m 700 "$home/run"
[ "$(id -u)" -eq 0 ] && chown -R "$user" "$home"
run_as_user() {
  local run=()
  [ "$(id -u)" -eq 0 ] && run=(runuser -u "$user" --)
  "${run[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_RUNTIME_DIR="$home/run" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen "$@"
}

out=$(run_as_user env LEXORIA_TEST_DRIVE=chooser timeout 120 lexoria 2>&1) || true
echo "$out"
check "installed program reaches the chooser" grep -qx 'scelta: mostrata' <<<"$out"

# The first search answers at once from the index installed beside the program.
check "search index installed beside the program" test -s /usr/lib/lexoria/LexoriaIndice.db
out=$(run_as_user env LEXORIA_TEST_DRIVE=search timeout 120 lexoria 2>&1) || true
echo "$out"
check "installed program answers a search from its index" grep -qE '^ricerca: [0-9]+ massime trovate' <<<"$out"

out=$(run_as_user env LEXORIA_TEST_DRIVE=guide timeout 120 lexoria 2>&1) || true
echo "$out"
guide="$home/Documents/Lexoria-guida.odt"
check "whole guide saved in the documents folder" \
  grep -qxF "messaggio: La guida completa è stata salvata nel file: / $guide" <<<"$out"
check "the saved guide is an OpenDocument text" \
  bash -c "head -c 80 '$guide' | grep -aq 'mimetypeapplication/vnd.oasis.opendocument.text'"
check "nothing written into the program's folder" test ! -e /usr/lib/lexoria/Lexoria-guida.odt
rm -rf "$home"

# Removal: purge (the package has no conffiles to keep) and nothing of it is left.
files=$(dpkg-query -L lexoria)
$sudo dpkg --purge lexoria
check "package removed" bash -c "! dpkg-query -W -f='\${Status}' lexoria 2>/dev/null | grep -q installed"
left=()
while IFS= read -r path; do
  [ -n "$path" ] || continue
  if [ -L "$path" ] || [ -f "$path" ]; then left+=("$path"); fi
done <<<"$files"
for dir in /usr/lib/lexoria /usr/share/doc/lexoria; do
  [ -e "$dir" ] && left+=("$dir")
done
if [ ${#left[@]} -eq 0 ]; then pass "nothing left behind"; else fail "left behind: ${left[*]}"; fi
check "font alias gone" bash -c "! fc-match 'Century Gothic' | grep -q 'URW Gothic'"

if [ "$failures" -ne 0 ]; then
  echo "Package test: $failures check(s) failed" >&2
  exit 1
fi
echo "Package test: all checks passed"
