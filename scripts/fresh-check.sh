#!/usr/bin/env bash
# Proves that the README's two commands are all a new machine needs.
#
#   scripts/fresh-check.sh [COMMIT]      (as root, on Debian 12; COMMIT defaults to HEAD)
#
# Builds a minimal Debian 12 root from this machine's own Debian sources, clones
# the commit into it and, with a clean environment (no LANG, no DISPLAY), runs
# the run command (it must build and print the no-display hint, and the hint
# must start the program) and the test command (every stage must pass). Then
# builds the Debian package there, installs it with apt into a second fresh
# root and checks that its window maps under Xvfb.
#
# Each stage's wall time is printed; a failing stage is named and its log kept
# in build/fresh-check/. Nothing stays mounted or running, whatever the exit.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")
logs=$repo/build/fresh-check
suite=bookworm
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
    findmnt -rn -o TARGET | grep -E "^$root(/|$)" | sort -r | while read -r mountpoint; do
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

# The machine's own enabled sources that point at Debian's archive.
debian_sources() {
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && grep -Eq '^[^#]*debian\.org/debian' "$file" && echo "$file"
    done
    return 0
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
    local root=$1 include=$2
    local -a mirrors
    mapfile -t mirrors < <(debian_sources)
    echo "sources: ${mirrors[*]:-the default Debian mirror}"
    # apt inside the root keeps trying a slow mirror too: mmdebstrap leaves the
    # option in the root's apt configuration.
    mmdebstrap --mode=root --variant=minbase --include="$include" \
        --aptopt="Acquire::Retries \"$retries\"" "$suite" "$root" "${mirrors[@]}"
    local fs
    for fs in proc sys dev dev/pts dev/shm; do
        mkdir -p "$root/$fs"
        mount --bind "/$fs" "$root/$fs"
    done
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

# The run command: builds, then says there is no display and how to start the
# program headless; what it says must work as printed.
run_command() {
    local hint
    if inside "$build_root" bash -c 'cd /root/trelvan && bash scripts/run.sh' 2>&1 |
        tee "$work/run.out"; then
        echo "run.sh succeeded without a display"
        return 1
    fi
    hint=$(grep -o 'xvfb-run [^"]*trelvan' "$work/run.out" | tail -n 1)
    [ -n "$hint" ] || { echo "run.sh printed no headless command"; return 1; }
    echo "the hint: $hint"
    # The program stays up under the hint's X server until it is stopped.
    local rc=0
    inside "$build_root" bash -c "cd /root/trelvan && timeout 15 $hint" || rc=$?
    kill_inside "$build_root"
    [ "$rc" -eq 124 ] || { echo "the hint's command ended with status $rc"; return 1; }
    echo "the hint's command ran the program until it was stopped"
}

test_command() {
    inside "$build_root" bash -c 'cd /root/trelvan && bash scripts/test.sh'
}

package_command() {
    inside "$build_root" bash -c \
        'cd /root/trelvan && cmake --preset package && cmake --build --preset package'
    cp "$build_root"/root/trelvan/build/package/trelvan_*.deb "$work/"
    ls -l "$work"/trelvan_*.deb
}

install_package() {
    make_root "$package_root" ca-certificates
    cp "$work"/trelvan_*.deb "$package_root/tmp/"
    # The package alone, with its own dependencies and nothing recommended.
    inside "$package_root" bash -c 'apt-get -q update &&
        DEBIAN_FRONTEND=noninteractive apt-get -q install -y --no-install-recommends /tmp/trelvan_*.deb'
    if inside "$package_root" ldd /usr/bin/trelvan | grep 'not found'; then
        echo "the installed program misses libraries"
        return 1
    fi
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
echo "fresh-check: commit $commit, work in $work, logs in $logs"
stage host-tools host_tools
stage build-root make_root "$build_root" git,ca-certificates
stage clone clone_commit
stage run-command run_command
stage test-command test_command
stage package package_command
stage package-root install_package
stage window-maps window_maps
report
echo "-- the test command"
grep -h -E '^== |^[0-9]+% tests passed|every stage passed|stat::number_of_executed_units' \
    "$logs/test-command.log" | sed 's/^/   /'
echo "   skipped tests: $(grep -c '(Skipped)' "$logs/test-command.log" || true)"
echo "fresh-check: PASS (${#stage_names[@]} stages in $((SECONDS - started)) s)"
