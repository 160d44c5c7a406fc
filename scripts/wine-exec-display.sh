#!/usr/bin/env bash
# Runs a Windows test program on an Xvfb display of its own size, for tests
# that need a particular screen (a work area of 1920 x 1040, say):
#   wine-exec-display.sh WIDTHxHEIGHT PREFIX PROGRAM [ARGS...]
# Wine keeps the monitors of the display its server started with, so the
# program gets a server of its own: the prefix is linked (not copied) into a
# temporary folder; the server writes its registry through new files, which
# leaves the shared prefix as it was.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
size=$1 prefix=$2
shift 2
tmp=$(mktemp -d)
out=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$out" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  WINEPREFIX=$tmp/prefix wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$tmp" "$out"
}
trap cleanup EXIT
display=
for _ in $(seq 1 400); do
  if read -r n <"$out" && [[ $n =~ ^[0-9]+$ ]]; then display=:$n; break; fi
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
[[ -n $display ]] || { echo "wine-exec-display.sh: could not start Xvfb" >&2; exit 1; }
cp -al "$prefix" "$tmp/prefix"
DISPLAY=$display "$here/wine-exec.sh" "$tmp/prefix" "$@"
