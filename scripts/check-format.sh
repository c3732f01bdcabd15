#!/usr/bin/env bash
# Fails when a C++ file tracked by git differs from the project's clang-format style
# (.clang-format at the root). Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null 2>&1; then
  echo "clang-format is not installed (scripts/deps.sh installs it)" >&2
  exit 1
fi
files=$(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror $files 2>/tmp/trainbook-format.$$; then
  echo "These files do not follow .clang-format:" >&2
  grep -o '^[^:]*\.\(cpp\|h\):' /tmp/trainbook-format.$$ | sort -u | sed 's/:$//; s/^/    /' >&2
  rm -f /tmp/trainbook-format.$$
  exit 1
fi
rm -f /tmp/trainbook-format.$$
echo "format: $(echo "$files" | wc -l) files follow .clang-format"
