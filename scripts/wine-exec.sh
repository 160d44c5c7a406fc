#!/usr/bin/env bash
# Runs a Windows program under wine64 in the given prefix:
#   wine-exec.sh PREFIX PROGRAM [ARGS...]
# The prefix is made by scripts/wine-prefix.sh; WINEDEBUG defaults to silence.
prefix=$1; shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The helper processes Wine starts on first use (services, the desktop
# process) outlive the program and inherit its output: through a pipe, the
# caller would wait for them. A file has no such end to wait for.
out=$(mktemp)
wine "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
# A test program that dies under Wine (a stack overflow, say) can end with
# status 0: once its tests have started, only their closing line says they
# all ran.
if ((rc == 0)) && grep -q '^\[==========\] Running ' "$out" &&
   ! grep -q '^\[==========\] .* ran\.' "$out"; then
  echo "wine-exec.sh: the test program ended before its tests did" >&2
  rc=1
fi
rm -f "$out"
exit $rc
