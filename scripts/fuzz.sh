#!/usr/bin/env bash
# Runs one libFuzzer target for a while: scripts/fuzz.sh TARGET [SECONDS]
# TARGET is pricelist, tipfile, corpusfile or midifile. Builds the fuzzing
# programs with clang into build-fuzz/ (needs clang and libclang-rt-dev), starts
# from the target's seeds and keeps the inputs it grows in build-fuzz/corpus/.
# An input that crashes lands in tests/fuzz/TARGET/crashes/, where the CTest
# replay (label "fuzz") runs it from then on.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: fuzz.sh pricelist|tipfile|corpusfile|midifile [seconds]}
seconds=${2:-600}
CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXORIA_FUZZ=ON >/dev/null
cmake --build "$top/build-fuzz" --target "fuzz_$target" -j"$(nproc)"
corpus="$top/build-fuzz/corpus/$target"
mkdir -p "$corpus"
exec nice -n 19 "$top/build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix="$top/tests/fuzz/$target/crashes/" -print_final_stats=1 \
  "$corpus" "$top/tests/fuzz/$target/seeds"
