#!/usr/bin/env bash
# Proves that the README's two commands are all a new machine needs.
#
#   scripts/fresh-check.sh [RELEASE] [COMMIT]
#       (as root; RELEASE is 12/bookworm or 13/trixie, the machine's own by default;
#        COMMIT defaults to HEAD)
#
# Builds a minimal Debian root of the release from Debian's archive at the address
# this machine's own sources use, clones the commit into it and, with a clean
# environment (no LANG, no DISPLAY), runs the run command (it must build and end
# with its no-display status, and the program it built must run under Xvfb) and
# the test command (every stage must pass, every test must run). Then builds the
# Debian package there, installs it with apt into a second fresh root of the same
# release (made meanwhile) and checks that its window maps under Xvfb.
#
# Each stage's wall time is printed; a failing stage is named and its log kept
# in build/fresh-check-bookworm/ or -trixie/. Nothing stays mounted or running, whatever the exit.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
machine_release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
case "${1:-$machine_release}" in
12 | bookworm) suite=bookworm ;;
13 | trixie) suite=trixie ;;
*)
    echo "fresh-check: unknown release '$1' (12, bookworm, 13 or trixie)" >&2
    exit 2
    ;;
esac
commit=$(git -C "$repo" rev-parse --verify "${2:-HEAD}^{commit}")
logs=$repo/build/fresh-check-$suite

[ "$(id -u)" -eq 0 ] || { echo "fresh-check: run as root (it builds and enters Debian roots)" >&2; exit 2; }

rm -rf "$logs"
mkdir -p "$logs"
work=$(mktemp -d /var/tmp/trelvan-fresh.XXXXXX)
# The two roots: one to build and test in, one to install the package into.
build_root=$work/build-root
package_root=$work/package-root
roots=("$build_root" "$package_root")

# shellcheck source=scripts/lib/debian-roots.sh
source "$repo/scripts/lib/debian-roots.sh"
# shellcheck source=scripts/lib/tests-ran.sh
source "$repo/scripts/lib/tests-ran.sh"
# shellcheck source=scripts/lib/background.sh
source "$repo/scripts/lib/background.sh"
trap 'end_stage_beside; remove_roots' EXIT
# Compiled objects kept for the next check of the same release. ccache keys an
# object by the preprocessed source, the options and the compiler, so whatever
# changed compiles again, and it replays each compiler's warnings; the build
# root keeps the same paths every time, so a repeated check compiles only what
# the commit changed. Paths below the working tree count relative to the build
# folder, and the folder itself does not count, so the program's objects
# compiled for the run command serve the test and package builds as well.
compiler_cache=$cache/ccache-$suite

# --- Stages ----------------------------------------------------------------

stage_names=()
stage_seconds=()

# Runs a stage, logging to $logs/<name>.log, and stops the check
# at the first failure with the stage's name and the end of its log. The stage
# runs as a job of its own so that its first failing command ends it (a
# function called as a condition would run on past failures).
stage() {
    local name=$1 started=$SECONDS rc=0
    shift
    echo "== $name"
    "$@" >"$logs/$name.log" 2>&1 </dev/null &
    wait $! || rc=$?
    stage_ended "$name" $((SECONDS - started)) "$rc"
}

# Starts a stage that runs beside the stages that follow, until `joined` waits
# for it: one that mostly waits on the archive and on dpkg, while the others
# compile and test. Its time is its own, noted when it ends.
beside_pid=""
stage_beside() {
    beside_name=$1
    shift
    echo "== $beside_name (beside the stages that follow)"
    start_background timed "$@" >"$logs/$beside_name.log" 2>&1 </dev/null
    beside_pid=$background_pid
}

# Runs a command, as a job of its own like a stage, and notes its seconds.
timed() {
    local started=$SECONDS rc=0
    "$@" &
    wait $! || rc=$?
    echo $((SECONDS - started)) >"$logs/$beside_name.seconds"
    return "$rc"
}

joined() {
    local rc=0
    wait "$beside_pid" || rc=$?
    beside_pid=""
    stage_ended "$beside_name" "$(cat "$logs/$beside_name.seconds" 2>/dev/null || echo 0)" "$rc"
}

stage_ended() {
    local name=$1 took=$2 rc=$3
    stage_names+=("$name")
    stage_seconds+=("$took")
    if [ "$rc" -ne 0 ]; then
        tail -n 40 "$logs/$name.log"
        report
        echo "fresh-check: FAIL at stage '$name' (status $rc, ${took} s); log: $logs/$name.log"
        exit 1
    fi
    echo "   $name passed in ${took} s"
}

# A check that fails ends a stage still running beside it, and whatever that
# started (mmdebstrap, apt), before its roots go.
end_stage_beside() {
    [ -n "${beside_pid:-}" ] || return 0
    end_background "$beside_pid"
}

report() {
    local i
    echo "-- stage times"
    for i in "${!stage_names[@]}"; do
        printf '   %-22s %5d s\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
    done
}

# --- What is checked -------------------------------------------------------

make_build_root() {
    make_root "$build_root" git,ca-certificates,ccache
    mount_into "$build_root" "$compiler_cache"
    in_build_root ccache --zero-stats
}

# Runs a command in the build root with CMake's compiler launcher set to ccache
# (read by each build folder's first configure).
in_build_root() {
    inside "$build_root" env CCACHE_DIR="$compiler_cache" CCACHE_MAXSIZE=4G \
        CCACHE_BASEDIR=/root/trelvan CCACHE_NOHASHDIR=true \
        CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
}

clone_commit() {
    git clone -q --no-checkout "$repo" "$build_root/root/trelvan"
    git -C "$build_root/root/trelvan" checkout -q "$commit"
    git -C "$build_root/root/trelvan" log -1 --format='%h %s'
}

# The run command: builds, then ends with its no-display status (3); the program
# it built stays up under Xvfb, as the README starts it, until it is stopped.
run_command() {
    local rc=0
    in_build_root bash -c 'cd /root/trelvan && bash scripts/run.sh' || rc=$?
    [ "$rc" -eq 3 ] || { echo "run.sh ended with status $rc, not 3 (built, no display)"; return 1; }
    rc=0
    inside "$build_root" bash -c 'cd /root/trelvan && timeout 15 xvfb-run -a build/app/bin/trelvan' || rc=$?
    kill_inside "$build_root"
    [ "$rc" -eq 124 ] || { echo "the program under xvfb-run ended with status $rc"; return 1; }
    echo "the program ran under xvfb-run until it was stopped"
}

test_command() {
    in_build_root bash -c 'cd /root/trelvan && bash scripts/test.sh'
}

package_command() {
    in_build_root bash -c \
        'cd /root/trelvan && cmake --preset package && cmake --build --preset package'
    cp "$build_root"/root/trelvan/build/package/trelvan_*.deb "$work/"
    ls -l "$work"/trelvan_*.deb
    dpkg-deb -f "$work"/trelvan_*.deb Depends >"$work/depends"
}

install_package() {
    cp "$work"/trelvan_*.deb "$package_root/tmp/"
    # The package alone, with its own dependencies and nothing recommended.
    inside "$package_root" bash -c 'apt-get -q update &&
        DEBIAN_FRONTEND=noninteractive apt-get -q install -y --no-install-recommends /tmp/trelvan_*.deb'
    # Without a display the program ends with status 1 once it runs; a library the
    # dynamic loader cannot find would end it with 127 before it starts.
    local rc=0
    inside "$package_root" trelvan || rc=$?
    [ "$rc" -eq 1 ] || { echo "the installed program ended with status $rc, not 1 (no display)"; return 1; }
}

# Starts the installed program under Xvfb and waits for its window to map.
window_maps() {
    inside "$package_root" bash -c 'DEBIAN_FRONTEND=noninteractive apt-get -q install -y \
        --no-install-recommends xvfb xauth xdotool'
    inside "$package_root" xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
        trelvan & pid=$!
        wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Trelvan\$" | head -n 1)
        [ -n "$wid" ] || { echo "no window titled Trelvan mapped"; kill $pid; exit 1; }
        xdotool getwindowgeometry "$wid"
        kill -0 $pid || { echo "trelvan ended"; exit 1; }
        kill $pid; wait $pid || true
        echo "the window of the installed trelvan mapped"'
}

started=$SECONDS
echo "fresh-check: $suite, commit $commit, work in $work, logs in $logs"
stage host-tools host_tools
stage build-root make_build_root
stage_beside package-root make_root "$package_root" ca-certificates
stage clone clone_commit
stage run-command run_command
stage test-command test_command
stage package package_command
joined
stage install-package install_package
stage window-maps window_maps
report
echo "-- the test command: tests that ran, from CTest's JUnit files"
for preset in tests sanitize; do
    every_test_ran "$build_root/root/trelvan/build/$preset/ctest-junit.xml" "   $preset" || true
done
versions=$(inside "$build_root" sh -c 'dpkg-query -W -f="\${Package} \${Version}\n" qt6-base-dev g++ clang')
sed 's/^/   built with /' <<<"$versions"
echo "-- the compiler cache in this check"
in_build_root ccache --show-stats | sed 's/^/   /'
echo "   the package depends on: $(cat "$work/depends")"
echo "fresh-check: PASS on $suite (${#stage_names[@]} stages in $((SECONDS - started)) s)"
