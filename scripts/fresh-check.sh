#!/usr/bin/env bash
# Proves that the README's two commands are all a new machine needs.
#
#   scripts/fresh-check.sh [--windows] [RELEASE] [COMMIT]
#       (as root; RELEASE is 12/bookworm or 13/trixie, the machine's own by default;
#        COMMIT defaults to HEAD)
#
# Builds a minimal Debian root of the release from Debian's archive at the address
# this machine's own sources use, clones the commit into it and, with a clean
# environment (no LANG, no DISPLAY), runs the run command (it must build and end
# with its no-display status, and the program it built must run under Xvfb) and
# the test command (every stage must pass, every test must run). Then builds the
# Debian package there, installs it with apt into a second fresh root of the same
# release and checks that its window maps under Xvfb.
#
# With --windows it runs the Windows command (scripts/windows.sh) in the fresh root
# instead, with this machine's cache of static Qt builds mounted at its usual place,
# so that a Qt built for the release once is built no more.
#
# Each stage's wall time is printed; a failing stage is named and its log kept
# in build/fresh-check-<release>/. Nothing stays mounted or running, whatever the exit.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
machine_release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
windows=false
if [ "${1:-}" = --windows ]; then
    windows=true
    shift
fi
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
retries=5

[ "$(id -u)" -eq 0 ] || { echo "fresh-check: run as root (it builds and enters Debian roots)" >&2; exit 2; }

rm -rf "$logs"
mkdir -p "$logs"
work=$(mktemp -d /var/tmp/trelvan-fresh.XXXXXX)
# The two roots: one to build and test in, one to install the package into.
build_root=$work/build-root
package_root=$work/package-root
roots=("$build_root" "$package_root")

# --- Leaving nothing behind -------------------------------------------------

# Ends every process whose root directory lies inside $1.
kill_inside() {
    local root=$1 pid link
    for _ in 1 2 3; do
        local found=0
        for link in /proc/[0-9]*/root; do
            pid=${link#/proc/}
            pid=${pid%/root}
            [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
            kill -KILL "$pid" 2>/dev/null && found=1
        done
        [ "$found" -eq 0 ] && return 0
        sleep 0.5
    done
}

# Unmounts everything below $1, deepest first.
unmount_inside() {
    local root=$1 mountpoint
    # A root with nothing mounted (the package root, when an earlier stage failed) is no
    # failure: under errexit it would end the clean-up before the roots are deleted.
    { findmnt -rn -o TARGET | grep -E "^$root(/|$)" || true; } | sort -r | while read -r mountpoint; do
        umount "$mountpoint" 2>/dev/null || umount -l "$mountpoint"
    done
}

cleanup() {
    local root
    for root in "${roots[@]}"; do
        kill_inside "$root"
        unmount_inside "$root"
    done
    # Never delete through a mount that is still there.
    if findmnt -rn -o TARGET | grep -q "^$work/"; then
        echo "fresh-check: something is still mounted below $work; left in place" >&2
    else
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT

# --- Stages ----------------------------------------------------------------

stage_names=()
stage_seconds=()

# Runs a stage, logging to build/fresh-check/<name>.log, and stops the check
# at the first failure with the stage's name and the end of its log. The stage
# runs as a job of its own so that its first failing command ends it (a
# function called as a condition would run on past failures).
stage() {
    local name=$1 started=$SECONDS rc=0
    shift
    echo "== $name"
    "$@" >"$logs/$name.log" 2>&1 </dev/null &
    wait $! || rc=$?
    local took=$((SECONDS - started))
    stage_names+=("$name")
    stage_seconds+=("$took")
    if [ "$rc" -ne 0 ]; then
        tail -n 40 "$logs/$name.log"
        report
        echo "fresh-check: FAIL at stage '$name' (status $rc, ${took} s); log: $logs/$name.log"
        exit 1
    fi
    echo "   passed in ${took} s"
}

report() {
    local i
    echo "-- stage times"
    for i in "${!stage_names[@]}"; do
        printf '   %-22s %5d s\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
    done
}

# --- Debian roots ----------------------------------------------------------

# Debian's archive and its security archive at the addresses this machine's own
# enabled sources use (deb.debian.org where they name none).
debian_archive() {
    local kind=$1 file found=""
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        found=$(grep -v '^[[:space:]]*#' "$file" |
            grep -Eo "https?://[^[:space:]]+/debian${kind}/?([[:space:]]|\$)" |
            tr -d '[:space:]' | head -n 1 || true)
        [ -n "$found" ] && break
    done
    echo "${found:-http://deb.debian.org/debian${kind}}"
}

host_tools() {
    local missing=()
    command -v mmdebstrap >/dev/null || missing+=(mmdebstrap)
    command -v git >/dev/null || missing+=(git)
    if [ ${#missing[@]} -gt 0 ]; then
        apt-get -q -o Acquire::Retries=$retries update
        DEBIAN_FRONTEND=noninteractive apt-get -q -o Acquire::Retries=$retries install -y \
            --no-install-recommends "${missing[@]}"
    fi
    mmdebstrap --version
}

# Builds a minimal root at $1 with the packages in $2 (comma-separated) and
# mounts what programs inside expect.
make_root() {
    local root=$1 include=$2 archive security
    archive=$(debian_archive "")
    security=$(debian_archive -security)
    local -a sources=(
        "deb $archive $suite main"
        "deb $archive $suite-updates main"
        "deb $security $suite-security main"
    )
    printf 'source: %s\n' "${sources[@]}"
    # apt inside the root keeps trying a slow mirror too: mmdebstrap leaves the
    # option in the root's apt configuration.
    mmdebstrap --mode=root --variant=minbase --include="$include" \
        --aptopt="Acquire::Retries \"$retries\"" "$suite" "$root" "${sources[@]}"
    local fs
    for fs in proc sys dev dev/pts dev/shm; do
        mkdir -p "$root/$fs"
        mount --bind "/$fs" "$root/$fs"
    done
    inside "$root" sh -c '. /etc/os-release && echo "root: $PRETTY_NAME"'
}

# Runs a command as root inside $1 with a clean environment.
inside() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root "$@"
}

# --- What is checked -------------------------------------------------------

clone_commit() {
    git clone -q --no-checkout "$repo" "$build_root/root/trelvan"
    git -C "$build_root/root/trelvan" checkout -q "$commit"
    git -C "$build_root/root/trelvan" log -1 --format='%h %s'
}

# The run command: builds, then ends with its no-display status (3); the program
# it built stays up under Xvfb, as the README starts it, until it is stopped.
run_command() {
    local rc=0
    inside "$build_root" bash -c 'cd /root/trelvan && bash scripts/run.sh' || rc=$?
    [ "$rc" -eq 3 ] || { echo "run.sh ended with status $rc, not 3 (built, no display)"; return 1; }
    rc=0
    inside "$build_root" bash -c 'cd /root/trelvan && timeout 15 xvfb-run -a build/app/bin/trelvan' || rc=$?
    kill_inside "$build_root"
    [ "$rc" -eq 124 ] || { echo "the program under xvfb-run ended with status $rc"; return 1; }
    echo "the program ran under xvfb-run until it was stopped"
}

test_command() {
    inside "$build_root" bash -c 'cd /root/trelvan && bash scripts/test.sh'
}

package_command() {
    inside "$build_root" bash -c \
        'cd /root/trelvan && cmake --preset package && cmake --build --preset package'
    cp "$build_root"/root/trelvan/build/package/trelvan_*.deb "$work/"
    ls -l "$work"/trelvan_*.deb
    dpkg-deb -f "$work"/trelvan_*.deb Depends >"$work/depends"
}

install_package() {
    make_root "$package_root" ca-certificates
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

# The Windows command, with the static Qt cache of this machine (one folder per
# Qt version and options, so both releases share it).
windows_command() {
    local cache=${TRELVAN_CACHE:-/var/cache/trelvan}
    mkdir -p "$cache" "$build_root$cache"
    mount --bind "$cache" "$build_root$cache"
    inside "$build_root" env TRELVAN_CACHE="$cache" bash -c 'cd /root/trelvan && bash scripts/windows.sh'
    ls -l "$build_root"/root/trelvan/build/windows/*.exe "$build_root"/root/trelvan/build/windows/*.zip
    cp "$build_root/root/trelvan/build/windows/screenshot.png" "$logs/"
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
stage build-root make_root "$build_root" git,ca-certificates
stage clone clone_commit
if $windows; then
    stage windows-command windows_command
    report
    echo "   the screenshot under wine: $logs/screenshot.png"
    echo "fresh-check: Windows command PASS on $suite (${#stage_names[@]} stages in $((SECONDS - started)) s)"
    exit 0
fi
stage run-command run_command
stage test-command test_command
stage package package_command
stage package-root install_package
stage window-maps window_maps
report
echo "-- the test command: tests that ran, from CTest's JUnit files"
for preset in tests sanitize; do
    junit=$build_root/root/trelvan/build/$preset/ctest-junit.xml
    cases=$(grep -c '<testcase ' "$junit" || true)
    passed=$(grep -c '<testcase [^>]*status="run"' "$junit" || true)
    echo "   $preset: $passed passed, $((cases - passed)) failed or skipped"
done
versions=$(inside "$build_root" sh -c 'dpkg-query -W -f="\${Package} \${Version}\n" qt6-base-dev g++ clang')
sed 's/^/   built with /' <<<"$versions"
echo "   the package depends on: $(cat "$work/depends")"
echo "fresh-check: PASS on $suite (${#stage_names[@]} stages in $((SECONDS - started)) s)"
