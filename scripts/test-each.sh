#!/usr/bin/env bash
# Runs every test function of every Qt Test program on its own, one process per
# function, with the environment CTest gives that program: a test that passes
# only after another one has run fails here. Usage: bash scripts/test-each.sh [BUILD_DIR]
# (default build/; the build must be done).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
cd "$build"
failed=0
passed=0
# Each test as CTest runs it: "name<TAB>command<TAB>VAR=value<TAB>VAR=value...", one a line.
list=$(ctest --show-only=json-v1 -LE fuzz | python3 -c '
import json, sys
for t in json.load(sys.stdin)["tests"]:
    env = []
    for p in t.get("properties", []):
        if p["name"] == "ENVIRONMENT":
            env = p["value"]
    print("\t".join([t["name"], t["command"][0]] + env))
')
while IFS=$'\t' read -r -a fields; do
  [ ${#fields[@]} -ge 2 ] || continue
  name=${fields[0]}
  program=${fields[1]}
  environment=("${fields[@]:2}")
  for function in $(env "${environment[@]}" "$program" -functions | sed 's/()$//'); do
    if env "${environment[@]}" "$program" "$function" >"$build/test-each.log" 2>&1; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      echo "FAIL: $name $function"
      tail -20 "$build/test-each.log"
    fi
  done
done <<<"$list"
rm -f "$build/test-each.log"
echo "each test function alone: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
