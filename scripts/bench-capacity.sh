#!/usr/bin/env bash
# Builds Lexoria at full capacity into build-full/: every topic of every archive
# holds one massima fewer than its positions (bench/fillcorpus writes those data
# files from the delivered ones into build-full/corpus-data), RelWithDebInfo.
# Then, with --bench [RUNS], prints the search figures of build/ and build-full/
# side by side (bench/RESULTS.md, "Full capacity"). Usage:
#   bash scripts/bench-capacity.sh [--bench [RUNS]]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
full="$top/build-full"
data="$full/corpus-data"

bash "$top/scripts/build.sh" >/dev/null
mkdir -p "$full"
"$top/build/bench/fillcorpus" "$top/corpus/data" "$data"
cmake -S "$top" -B "$full" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXORIA_CORPUS_DIR="$data" >/dev/null
cmake --build "$full" -j"$(nproc)" >/dev/null
echo "build-full: built from $data"

[ "${1:-}" = "--bench" ] || exit 0
exec bash "$top/scripts/bench-search-sizes.sh" "${2:-41}"
