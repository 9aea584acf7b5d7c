#!/usr/bin/env bash
# Builds every program and test under AddressSanitizer and UndefinedBehaviorSanitizer
# into build-sanitize/ and runs the test suite there. Any report fails its test.
# With --fuzz-regressions it runs only the replays of the fuzzing inputs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXORIA_SANITIZE=ON >/dev/null
cmake --build "$top/build-sanitize" -j"$(nproc)"
cd "$top/build-sanitize"
if [ "${1:-}" = "--fuzz-regressions" ]; then
  ctest --output-on-failure -j2 -L fuzz
else
  ctest --output-on-failure -j2 -LE fuzz
fi
