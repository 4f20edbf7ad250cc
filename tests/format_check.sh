#!/usr/bin/env bash
# Every C++ source file of the project is formatted as .clang-format says;
# prints the files that are not and fails. Fix them with:
#   clang-format -i $(git ls-files '*.cpp' '*.h')
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
status=0
while IFS= read -r file; do
  if ! "$format" --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file"
    status=1
  fi
done < <(find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | sort)
exit "$status"
