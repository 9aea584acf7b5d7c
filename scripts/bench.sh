#!/usr/bin/env bash
# Runs every benchmark and prints their tables (markdown): start-up of the whole
# program against a bare Qt program, offscreen and under Xvfb, each without and
# with a sound device (a private PulseAudio server with a null sink), then the
# in-process figures, then the search against SQLite FTS5 (LEXORIA_BENCH_SEARCH_SCALE,
# default 100 times the corpus: some minutes), then the search at the delivered size
# and at full capacity side by side (scripts/bench-capacity.sh, which builds
# build-full/ as well; LEXORIA_BENCH_CAPACITY=0 leaves it out). Builds first.
# Usage: bash scripts/bench.sh [PAIRS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
pairs=${1:-20}
bash "$top/scripts/build.sh" >/dev/null
build="$top/build"
program="$build/bin/lexoria"
bare="$build/bench/bench_bare"

scratch=$(mktemp -d)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# Both programs see the same private, empty runtime folder: no sound server
# unless PULSE_SERVER names one.
mkdir -m700 "$scratch/runtime"
export XDG_RUNTIME_DIR="$scratch/runtime"
unset PULSE_SERVER

# Sets `server` to the address of a private PulseAudio server playing into a null sink.
start_sound_server() {
  command -v pulseaudio >/dev/null || { echo "(no pulseaudio: runs with a sound device skipped)" >&2; return 1; }
  mkdir -m700 "$scratch/pulse"
  HOME="$scratch/pulse" XDG_RUNTIME_DIR="$scratch/pulse" XDG_CONFIG_HOME="$scratch/pulse" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --use-pid-file=no \
    -L module-null-sink -L "module-native-protocol-unix auth-anonymous=1" >/dev/null 2>&1 &
  server_pid=$!
  for _ in $(seq 100); do [ -S "$scratch/pulse/pulse/native" ] && break; sleep 0.1; done
  [ -S "$scratch/pulse/pulse/native" ] || return 1
  server="unix:$scratch/pulse/pulse/native"
}

cd "$build"
echo "## Start-up: whole processes, $pairs pairs each ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
echo
QT_QPA_PLATFORM=offscreen "$build/bench/bench_startup" "$program" "$bare" "$pairs" "offscreen, no sound device" 2>/dev/null
echo
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_startup" "$program" "$bare" "$pairs" "Xvfb, no sound device" 2>/dev/null
echo
if start_sound_server; then
  PULSE_SERVER="$server" QT_QPA_PLATFORM=offscreen "$build/bench/bench_startup" "$program" "$bare" "$pairs" "offscreen, sound device" 2>/dev/null
  echo
  PULSE_SERVER="$server" xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_startup" "$program" "$bare" "$pairs" "Xvfb, sound device" 2>/dev/null
  echo
fi
echo "## In process (offscreen)"
echo
QT_QPA_PLATFORM=offscreen "$build/bench/bench_browsing" 41 2>/dev/null
echo
for _ in $(seq 21); do QT_QPA_PLATFORM=offscreen "$build/bench/bench_browsing" --first-build 2>/dev/null; done |
  sort -n | awk '{v[NR]=$1} END {printf "first corpus build of a process, seven archives (21 processes): min %.2f, median %.2f, max %.2f ms\n", v[1], v[int((NR+1)/2)], v[NR]}' 
echo
echo "## Search: Xapian against SQLite FTS5 on the same texts (scale ${LEXORIA_BENCH_SEARCH_SCALE:-100}; 0 for the delivered corpus only)"
echo
"$build/bench/bench_search" "${LEXORIA_BENCH_SEARCH_SCALE:-100}" 2>/dev/null
if [ "${LEXORIA_BENCH_CAPACITY:-1}" != 0 ]; then
  echo
  bash "$top/scripts/bench-capacity.sh" --bench "$(( pairs * 2 + 1 ))"
fi
