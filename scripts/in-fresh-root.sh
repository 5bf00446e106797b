#!/usr/bin/env bash
# Runs one of the project's scripts in a fresh minimal Debian root of the given
# release, whatever the host's release, so that the same commit builds the same
# files on any host. The working tree and the cache of static Qt builds are
# mounted at their own paths, so what the script builds lands in the working
# tree's build/ as if built here. The root is removed afterwards, whatever the exit.
#
# The packages the cross builds install (scripts/setup.sh windows and web, some
# six gigabytes) are unpacked once a week into a root kept in the cache; a run
# works in a layer of its own over it, brought up to date with the archive and
# thrown away afterwards, so that each run starts as clean as a new root. Where
# the kernel has no overlay file system, or the kept root cannot be made, the
# run makes a new root and the script installs what it needs.
#
#   in-fresh-root.sh <bookworm|trixie> <script> [arguments]   (as root)
#
# Inside, TRELVAN_IN_ROOT names the release; the script starts in the working tree.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
suite=$1
shift

[ "$(id -u)" -eq 0 ] || { echo "in-fresh-root: run as root (it builds and enters a Debian root)" >&2; exit 2; }

# shellcheck source=scripts/lib/debian-roots.sh
source "$repo/scripts/lib/debian-roots.sh" # and the cache folder, $cache
work=$(mktemp -d /var/tmp/trelvan-root.XXXXXX)
roots=("$work/root")
trap remove_roots EXIT

# The kept root of this release and week for the packages of the cross builds'
# set-up profiles, made if missing, in $kept. Runs that start together (CI's
# background Qt builds and its cross stage) wait for the one making it. A run
# holds its kept root (a shared lock on its stamp) until it ends, so that a run
# that makes the next week's root never removes one still in use.
kept_root() {
    local key lock rc=0
    key=$(cat "$repo/scripts/setup.sh" <(date -u +%G-%V) | sha256sum | cut -c1-10)
    kept=$cache/root-$suite-$key
    mkdir -p "$cache"
    exec {lock}>"$cache/.root-$suite.lock"
    flock "$lock"
    [ -f "$kept/.complete" ] || make_kept_root || rc=$?
    if [ "$rc" -eq 0 ]; then
        exec {held_root}<"$kept/.complete"
        flock -s "$held_root"
    fi
    exec {lock}>&-
    return "$rc"
}

# Kept roots of other weeks or set-ups are not used again; one that a run still
# works over is left for the next run that makes a kept root.
remove_other_kept_roots() {
    local old held
    for old in "$cache/root-$suite-"*; do
        [ -d "$old" ] || continue
        if [ -f "$old/.complete" ]; then
            exec {held}<"$old/.complete"
            flock -n -x "$held" && rm -rf "$old"
            exec {held}<&-
        else
            rm -rf "$old"
        fi
    done
}

make_kept_root() {
    local making=$work/kept profile
    roots+=("$making")
    make_root "$making" ca-certificates || return 1
    cp "$repo/scripts/setup.sh" "$making/tmp/setup.sh"
    for profile in windows web; do
        inside "$making" bash /tmp/setup.sh "$profile" || return 1
    done
    kill_inside "$making"
    keep_downloads "$making"
    inside "$making" apt-get clean
    rm -f "$making/tmp/setup.sh"
    unmount_inside "$making"
    remove_other_kept_roots
    touch "$making/.complete"
    mv "$making" "$kept"
}

# A root of its own at $1 over the kept one, brought up to date: what the
# archive replaced since the kept root was made is installed in this run's layer.
layered_root() {
    local root=$1
    kept_root || return 1
    mkdir -p "$root" "$work/upper" "$work/layer"
    mount -t overlay overlay -o "lowerdir=$kept,upperdir=$work/upper,workdir=$work/layer" "$root" ||
        return 1
    reuse_downloads "$root"
    mount_system "$root"
    inside "$root" bash -c 'apt-get -q -o Acquire::Retries=5 update &&
        DEBIAN_FRONTEND=noninteractive apt-get -q -o Acquire::Retries=5 upgrade -y'
}

started=$SECONDS
host_tools >/dev/null
if ! layered_root "$work/root" >"$work/make-root.log" 2>&1; then
    echo "in-fresh-root: no root over a kept one (log: $work/make-root.log); a new root instead" >&2
    cat "$work/make-root.log" >&2
    unmount_inside "$work/root"
    rm -rf --one-file-system "$work/root" "$work/upper" "$work/layer"
    make_root "$work/root" ca-certificates >"$work/make-root.log" 2>&1 ||
        { cat "$work/make-root.log" >&2; exit 1; }
fi
mount_into "$work/root" "$repo"
mount_into "$work/root" "$cache"
# What the script fetches over https (the browser driver from npm) is checked
# against the certificate authorities this machine trusts, which may include
# those of a proxy of its own.
trusted=/etc/ssl/certs/host-ca-certificates.crt
cp /etc/ssl/certs/ca-certificates.crt "$work/root$trusted"
echo "in-fresh-root: a Debian $suite root ready in $((SECONDS - started)) s"
inside "$work/root" env TRELVAN_IN_ROOT="$suite" TRELVAN_CACHE="$cache" \
    NODE_EXTRA_CA_CERTS="$trusted" npm_config_cafile="$trusted" \
    bash -c 'cd "$1" && shift && exec bash "$@"' - "$repo" "$@"
