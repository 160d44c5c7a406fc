#!/usr/bin/env bash
# Runs a Windows program under wine64 in the given prefix:
#   wine-exec.sh PREFIX PROGRAM [ARGS...]
# The prefix is made by scripts/wine-prefix.sh; WINEDEBUG defaults to silence.
prefix=$1; shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
