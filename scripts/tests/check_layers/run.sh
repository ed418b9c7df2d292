#!/bin/sh
# scripts/check-layers on a two-folder fixture (high over low): the untouched tree passes;
# each case changes a copy of it and expects the check to pass, or to fail with a given line.
set -u
here=$(cd "$(dirname "$0")" && pwd)
check="$here/../../check-layers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# case <name> <expected: pass | fault text> <shell command run inside the copy>
case_() {
  rm -rf "$work/tree" && cp -R "$here/fixture" "$work/tree"
  (cd "$work/tree" && sh -c "$3") || { echo "FAIL $1: set-up failed"; failed=1; return; }
  out=$("$check" "$work/tree" 2>&1); rc=$?
  if [ "$2" = pass ]; then
    [ $rc -eq 0 ] && [ -z "$out" ] && { echo "ok   $1"; return; }
  else
    [ $rc -eq 1 ] && printf '%s\n' "$out" | grep -qF -- "$2" && { echo "ok   $1"; return; }
  fi
  echo "FAIL $1: exit $rc, expected $2"; printf '%s\n' "$out"; failed=1
}

case_ "untouched tree (tests/ and benchmark sources include upward)" pass 'true'
case_ "upward include" 'low/low.cpp:2: includes "high/high.h": low may not include high' \
  'sed -i "1a #include \"high/high.h\"" low/low.cpp'
case_ "upward include by a relative path" 'low/low.h:3: includes "../high/high.h"' \
  'sed -i "2a #  include \"../high/high.h\"" low/low.h'
case_ "downward include by a relative path" pass \
  'sed -i "1a #include \"../low/low.h\"" high/high.cpp'
case_ "folder not listed" "mid/mid.cpp: folder 'mid' is not listed in LAYERS" \
  'mkdir mid && echo "#include \"low/low.h\"" > mid/mid.cpp'
case_ "a file's own exception" pass \
  'sed -i "1a #include \"high/high.h\"" low/low.cpp && echo "low/low.cpp: high" >> LAYERS'
case_ "table allowing a folder listed later" 'LAYERS:2: low may allow only folders listed above it, not high' \
  'sed -i "s/^low:/low: high/" LAYERS'

exit $failed
