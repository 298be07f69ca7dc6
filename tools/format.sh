#!/usr/bin/env bash
# Formats the C++ sources with the tree's .clang-format; --check only lists the
# files that are not formatted and fails when there are any (tools/test.sh runs it).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
command -v clang-format >/dev/null || { echo "[vistrel] error: clang-format is missing: run tools/setup.sh (or apt-get install clang-format)" >&2; exit 1; }

sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -- '*.cpp' '*.h'
  else
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||'
  fi
}

if [ "${1:-}" != --check ]; then
  sources | xargs -r clang-format -i
  exit 0
fi
# clang-format names each file it would change in its warnings ("file:line:col: error: ...").
mapfile -t bad < <(sources | xargs -r clang-format --dry-run --Werror 2>&1 | grep -E '^[^ :]+:[0-9]+:[0-9]+: error' |
  cut -d: -f1 | sort -u)
[ ${#bad[@]} -eq 0 ] && exit 0
echo "[vistrel] error: these files are not formatted:" >&2
printf '  %s\n' "${bad[@]}" >&2
echo "[vistrel] format them with: tools/format.sh   (or clang-format -i <file>)" >&2
exit 1
