#!/usr/bin/env bash
# The search at the delivered size (build/) and at full capacity (build-full/, made
# by scripts/bench-capacity.sh), side by side: the index written at build time, its
# file, opening it plus a first query in fresh processes, the search window under
# Xvfb, and Xapian against SQLite FTS5. Figures only. Usage:
#   bash scripts/bench-search-sizes.sh [RUNS]     (default 41 fresh processes per figure)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-41}
builds=("$top/build" "$top/build-full")
for b in "${builds[@]}"; do
  [ -x "$b/bench/bench_indexopen" ] && [ -x "$b/bench/bench_typing" ] ||
    { echo "$b: bench programs missing (bash scripts/bench-capacity.sh builds both)" >&2; exit 1; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m700 "$scratch/runtime"
export XDG_RUNTIME_DIR="$scratch/runtime"
unset PULSE_SERVER
median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }

echo "## Search at 1x (build/) and at full capacity (build-full/) ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
echo
echo "### Index written at build time (tools/searchindex, 7 runs each, interleaved, median)"
echo
echo "| build | massime | index file | searchindex's own time | whole tool process |"
echo "|---|---|---|---|---|"
for i in $(seq 7); do
  for k in 0 1; do
    b=${builds[$k]}
    start=$(date +%s%N)
    "$b/tools/searchindex" "$scratch/index-$k.db" >"$scratch/line" 2>/dev/null
    end=$(date +%s%N)
    awk '{print $(NF-1)}' "$scratch/line" >>"$scratch/own-$k"
    echo $(( (end - start) / 1000000 )) >>"$scratch/whole-$k"
    awk '{print $2}' "$scratch/line" >"$scratch/massime-$k"
  done
done
for k in 0 1; do
  b=${builds[$k]}
  size=$(stat -c %s "$b/bin/LexoriaIndice.db")
  printf '| %s | %s | %s byte (%.1f MiB) | %s ms | %s ms |\n' "$(basename "$b")" "$(cat "$scratch/massime-$k")" \
    "$size" "$(echo "$size / 1048576" | bc -l)" "$(median <"$scratch/own-$k")" "$(median <"$scratch/whole-$k")"
done
echo
for b in "${builds[@]}"; do
  echo "### Open + first query, fresh processes: $(basename "$b")"
  echo
  "$b/bench/bench_indexopen" "$runs" 2>/dev/null
  echo
done
for b in "${builds[@]}"; do
  echo "### Search window under Xvfb, last key to results painted: $(basename "$b")"
  echo
  xvfb-run -a -s "-screen 0 1280x1024x24" "$b/bench/bench_typing" "$(( (runs + 1) / 2 ))" 2>/dev/null
  echo
done
for b in "${builds[@]}"; do
  echo "### Xapian against SQLite FTS5: $(basename "$b")"
  echo
  "$b/bench/bench_search" 0 2>/dev/null
  echo
done
