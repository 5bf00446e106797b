# shellcheck shell=bash
# Objects an earlier build of the same kind compiled, kept beside the static Qts:
# ccache keys each by the preprocessed source, the options and the compiler, so
# a build compiles only what changed since. Sourced; CMake takes the launcher
# at a build folder's first configure.
#
#   use_compiler_cache NAME      (the cache is ccache-NAME in the cache folder)

# shellcheck source=scripts/lib/cache-folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/cache-folder.sh"

use_compiler_cache() {
    export CCACHE_DIR=$cache/ccache-$1 CCACHE_MAXSIZE=2G
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    # Every CI run builds in a checkout at a new path: paths below the working
    # tree count relative to it, and the build folder not at all, or no object
    # one checkout compiled would ever serve the next.
    CCACHE_BASEDIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    export CCACHE_BASEDIR CCACHE_NOHASHDIR=true
}
