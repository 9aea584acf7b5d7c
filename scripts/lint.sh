#!/usr/bin/env bash
# Checks the naming rule of CONTRIBUTING.md ("Names", written down in .clang-tidy)
# over the project's own sources with clang-tidy; any name that breaks it fails.
# It configures build-lint/ for the compile commands and lets moc write the files
# the tests include; nothing is compiled. First it checks that every include names
# its folder and that no folder includes a header of a folder it may not use.
set -euo pipefail
cd "$(dirname "$0")/.."
python3 scripts/check-includes.py
root=$PWD
dir=build-lint
folders=(app assets bench browser corpus export help info scaling search shell tests tools)

cmake -S . -B "$dir" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# <target>_autogen/fast runs moc for one test without building what the test links.
mapfile -t mocs < <(cmake --build "$dir" --target help | sed -n 's/^\.\.\. \(tst_[A-Za-z0-9_]*_autogen\)$/\1\/fast/p')
if [ ${#mocs[@]} -gt 0 ]; then
  cmake --build "$dir" -j2 --target "${mocs[@]}" >/dev/null
fi

if command -v run-clang-tidy >/dev/null; then
  root_re=$(printf '%s' "$root" | sed 's/[][\.*^$+?(){}|]/\\&/g')
  pattern="^${root_re}/($(IFS='|'; echo "${folders[*]}"))/.*\.cpp$"
  run-clang-tidy -p "$dir" -j 2 -quiet "$pattern"
else
  find "${folders[@]}" -name '*.cpp' -print0 | sort -z |
    xargs -0 -n 4 -P 2 clang-tidy -p "$dir" --quiet
fi
echo "lint: every include goes one way and every name follows the naming rule"
