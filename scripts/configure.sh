# lm_configure CONFIG: configures $LM_BUILD/CONFIG once (sourced, not run).
lm_configure() {
  local cfg=$1 dir=$LM_BUILD/$1
  # The build machine's tools are built once for all configurations of the root.
  local args=(-G Ninja -S "$LM_ROOT" -B "$dir" -DLM_CONFIG="$cfg" -DLM_TOOLS_DIR="$LM_BUILD/hosttools")
  case $cfg in
    host)
      # -O1 keeps sanitizer builds quick to run; -g1 keeps the line numbers of
      # their reports (not the variables: a tenth of the build's time).
      args+=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g1 -O1" "-DCMAKE_C_FLAGS_DEBUG=-g1 -O1") ;;
    win64|win32)
      # Release code, assertions kept.
      args+=(-DCMAKE_TOOLCHAIN_FILE="$LM_ROOT/cmake/toolchain-$cfg.cmake"
             -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O2 -DCMAKE_C_FLAGS_RELEASE=-O2)
      if [[ $cfg == win64 ]]; then
        args+=(-DLM_DEPS_PREFIX="$LM_DEPS_CACHE/x86_64-w64-mingw32")
      else
        args+=(-DLM_DEPS_PREFIX="$LM_DEPS_CACHE/i686-w64-mingw32")
      fi ;;
    bench)
      args+=(-DLM_BENCH=ON -DCMAKE_BUILD_TYPE=Release) ;;
    bench-win64)
      # The Windows benchmark programs: a release win64 build run under Wine.
      args=(-G Ninja -S "$LM_ROOT" -B "$dir" -DLM_CONFIG=win64 -DLM_BENCH=ON -DLM_TOOLS_DIR="$LM_BUILD/hosttools"
            -DCMAKE_TOOLCHAIN_FILE="$LM_ROOT/cmake/toolchain-win64.cmake" -DCMAKE_BUILD_TYPE=Release
            -DCMAKE_CXX_FLAGS_RELEASE=-O2 -DCMAKE_C_FLAGS_RELEASE=-O2
            -DLM_DEPS_PREFIX="$LM_DEPS_CACHE/x86_64-w64-mingw32") ;;
    *) lm_say "unknown configuration $cfg"; return 1 ;;
  esac
  if [[ ! -f $dir/build.ninja ]]; then
    lm_say "configuring $cfg"
    cmake "${args[@]}" >/dev/null
  fi
}

# lm_bench_win64 TARGET...: the release win64 benchmark build (configured once), the targets built
# and its Wine prefix made; sets dir (the build folder) and prefix (its Wine prefix).
lm_bench_win64() {
  lm_configure bench-win64
  dir=$LM_BUILD/bench-win64
  prefix=$dir/wineprefix
  lm_say "building $*"
  cmake --build "$dir" -j "$LM_JOBS" --target "$@" >/dev/null
  "$LM_ROOT/scripts/wine-prefix.sh" "$prefix"
}

# lm_bench_display: a display of the benchmark's own; it and the prefix's wineserver stop at exit.
lm_bench_display() {
  source "$LM_ROOT/scripts/xvfb.sh"
  lm_start_xvfb
  trap 'WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; kill "$LM_XVFB_PID" 2>/dev/null || true' EXIT
  export DISPLAY=$LM_XVFB_DISPLAY
}
