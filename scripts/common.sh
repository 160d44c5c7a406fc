# Shared settings of the build scripts; sourced, not run.
LM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LM_BUILD=${LM_BUILD:-$LM_ROOT/build}
# Bump when the way the image libraries are built changes: a new cache folder is made.
LM_DEPS_REV=2
LM_DEPS_CACHE=${LM_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lumatra/deps-r$LM_DEPS_REV}
LM_JOBS=${LM_JOBS:-$(nproc)}
# The nested build of the build machine's tools (an ExternalProject) keeps to the same number.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$LM_JOBS}
# Paths inside the tree are hashed relative to it, so work trees of one repository share
# the compiler cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$LM_ROOT}
lm_say() { printf '[lumatra] %s\n' "$*" >&2; }
