#!/bin/bash
# Every file in docs/snippets is quoted verbatim by some page in docs/ or by
# the README (the snippets are compiled by the tests, so the pages cannot
# drift).
set -euo pipefail
docs="$1"
fail=0
for snippet in "$docs"/snippets/*; do
  found=0
  for page in "$docs"/*.md "$docs"/../README.md; do
    python3 - "$snippet" "$page" <<'PY' && found=1 && break
import sys
snippet = open(sys.argv[1]).read()
sys.exit(0 if snippet in open(sys.argv[2]).read() else 1)
PY
  done
  [ $found -eq 1 ] || { echo "no page quotes $(basename "$snippet") verbatim"; fail=1; }
done
exit $fail
