#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
#   scripts/test.sh [ctest arguments]        e.g. scripts/test.sh -R Ras32_Blend
# Environment (all optional):
#   LM_BUILD    build root (default: build/)
#   LM_CONFIGS  configurations to build (default: "host win64 win32")
#   LM_ONLY     targets to build instead of everything, e.g. "test_Ras32_Blend"
#               (each configuration builds those of them it has); only the
#               tests of those programs run (those -R picks among them)
# Without LM_ONLY, -R builds just the programs of the tests it picks.
# Host tests run natively, win64 tests under wine64 on an Xvfb display started
# here; win32 is compiled and linked only. The last line is ctest's summary.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

"$here/setup.sh"

configs=${LM_CONFIGS:-host win64 win32}
# shellcheck source=scripts/configure.sh
source "$here/configure.sh"

# The tests that -R (--tests-regex) picks, when it is given.
args=("$@")
regex=
for ((i = 0; i < ${#args[@]}; ++i)); do
  case ${args[i]} in
    -R | --tests-regex) regex=${args[i + 1]:-} ;;
    --tests-regex=*) regex=${args[i]#*=} ;;
  esac
done
# "<test>\t<target>" for the tests of a configured folder that REGEX picks.
tests_of() { python3 "$here/ctest-programs.py" "$LM_BUILD/$1" "$regex"; }

picked=()  # the programs of the picked tests, when -R picks them without LM_ONLY
for cfg in $configs; do
  lm_configure "$cfg"
  lm_say "building $cfg"
  if [[ -z ${LM_ONLY:-} && -z $regex ]]; then
    cmake --build "$LM_BUILD/$cfg" -j "$LM_JOBS"
    continue
  fi
  # Regenerate first: a target or test added since the last configure is not known yet.
  ninja -C "$LM_BUILD/$cfg" build.ninja >/dev/null
  if [[ -n ${LM_ONLY:-} ]]; then
    wanted=($LM_ONLY)
  else
    if [[ $cfg == host || $cfg == win64 ]]; then picked+=($(tests_of "$cfg" | cut -f2 | grep -vx -- - || true)); fi
    wanted=("${picked[@]}")
  fi
  # Only the named targets this configuration has (a Windows-only test has
  # no host target).
  targets=()
  for t in $(printf '%s\n' "${wanted[@]}" | sort -u); do
    ninja -C "$LM_BUILD/$cfg" -t query "$t" >/dev/null 2>&1 && targets+=("$t")
  done
  if ((${#targets[@]})); then cmake --build "$LM_BUILD/$cfg" -j "$LM_JOBS" --target "${targets[@]}"; fi
done

# One ctest run over the configurations that run tests, so that there is one
# summary at the end.
runnable=()
for cfg in $configs; do
  [[ $cfg == host || $cfg == win64 ]] && runnable+=("\"$cfg\"")
done
((${#runnable[@]})) || exit 0
echo "subdirs(${runnable[*]})" > "$LM_BUILD/CTestTestfile.cmake"

# With LM_ONLY, only the tests whose programs were just built run: another
# one that -R matches would run an old program, or none.
if [[ -n ${LM_ONLY:-} ]]; then
  names=()
  for cfg in $configs; do
    [[ $cfg == host || $cfg == win64 ]] || continue
    while IFS=$'\t' read -r name target; do
      [[ " $LM_ONLY " == *" $target "* ]] && names+=("${name//./\\.}")
    done < <(tests_of "$cfg")
  done
  if ((${#names[@]} == 0)); then
    lm_say "no test of LM_ONLY ($LM_ONLY) is picked: nothing to run"
    exit 0
  fi
  kept=()
  for ((i = 0; i < ${#args[@]}; ++i)); do
    case ${args[i]} in
      -R | --tests-regex) ((++i)) ;;
      --tests-regex=*) ;;
      *) kept+=("${args[i]}") ;;
    esac
  done
  args=("${kept[@]}" -R "^($(IFS='|'; echo "${names[*]}"))\$")
fi

xvfb_pid=
wine_prefix=
cups_pids=()
cleanup() {
  if [[ -n $wine_prefix ]]; then WINEPREFIX=$wine_prefix wineserver -k >/dev/null 2>&1 || true; fi
  local p
  for p in "${cups_pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [[ " $configs " == *" win64 "* ]]; then
  wine_prefix=$LM_BUILD/win64/wineprefix
  "$here/wine-prefix.sh" "$wine_prefix"
  # Windows that tests open go to a display of our own.
  source "$here/xvfb.sh"
  lm_start_xvfb
  xvfb_pid=$LM_XVFB_PID
  export DISPLAY=$LM_XVFB_DISPLAY
  # A persistent wineserver: each test program then starts in well under 0.1 s.
  WINEPREFIX=$wine_prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$wine_prefix wineserver -p
  # Printing goes through two cupsds of our own (Wine prints through CUPS):
  # one with a PDF queue, one with no queue at all (tests/framework/controls).
  source "$here/cups.sh"
  if lm_start_cups "$LM_BUILD/win64/cups/queue" LmTestPdf; then
    cups_pids+=("$LM_CUPS_PID")
    export LM_PRINT_QUEUE=LmTestPdf
    LM_PDF_DIR="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
    export LM_PDF_DIR
  fi
  if lm_start_cups "$LM_BUILD/win64/cups/empty"; then cups_pids+=("$LM_CUPS_PID"); fi
fi

cd "$LM_BUILD"
set +e
ctest --output-on-failure --timeout 600 -j "$LM_JOBS" "${args[@]}"
rc=$?
set -e
exit $rc
