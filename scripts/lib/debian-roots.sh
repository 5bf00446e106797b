# shellcheck shell=bash
# Minimal Debian roots for the checks and the cross builds: built from Debian's
# archive at the address this machine's own sources use, entered with a clean
# environment, and removed with nothing left mounted or running. Sourced, not
# run; as root.
#
# The caller sets suite (bookworm or trixie), roots (an array, the roots to
# remove) and work (the folder that holds them), and traps remove_roots on EXIT.

# shellcheck source=scripts/lib/cache-folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/cache-folder.sh"
retries=5
# Packages a root downloaded, kept for the next root of the same release: apt
# takes a kept file only when it matches the archive's index, and fetches
# whatever the archive has replaced since.
downloads=$cache/apt-$suite

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
    # A root with nothing mounted (one an earlier stage never made) is no
    # failure: under errexit it would end the clean-up before the roots are deleted.
    { findmnt -rn -o TARGET | grep -E "^$root(/|$)" || true; } | sort -r | while read -r mountpoint; do
        umount "$mountpoint" 2>/dev/null || umount -l "$mountpoint"
    done
}

# Hands the packages a root holds to the roots that follow it: hard links,
# so a file is never half there, and one already kept stays as it is.
keep_downloads() {
    local archives=$1/var/cache/apt/archives deb
    [ -d "$archives" ] || return 0
    mkdir -p "$downloads"
    for deb in "$archives"/*.deb; do
        [ -f "$deb" ] && [ ! -e "$downloads/${deb##*/}" ] || continue
        ln "$deb" "$downloads/" 2>/dev/null ||
            { cp "$deb" "$downloads/.${deb##*/}" && mv "$downloads/.${deb##*/}" "$downloads/"; } || true
    done
}

# Puts the kept packages where apt in the new root $1 looks first; those no
# root has read for a month go.
reuse_downloads() {
    local archives=$1/var/cache/apt/archives
    mkdir -p "$downloads" "$archives"
    find "$downloads" -maxdepth 1 -name '*.deb' -atime +30 -delete
    find "$downloads" -maxdepth 1 -name '*.deb' -exec cp -l -t "$archives" {} + 2>/dev/null ||
        find "$downloads" -maxdepth 1 -name '*.deb' -exec cp -t "$archives" {} +
}

remove_roots() {
    local root
    for root in "${roots[@]}"; do
        kill_inside "$root"
        keep_downloads "$root"
        unmount_inside "$root"
    done
    # Never delete through a mount that is still there.
    if findmnt -rn -o TARGET | grep -q "^$work/"; then
        echo "debian-roots: something is still mounted below $work; left in place" >&2
    else
        rm -rf --one-file-system "$work"
    fi
}

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

# mmdebstrap and git, where the machine lacks them. Runs that start together (CI's
# background Qt builds and its first check) take turns: on a new machine both
# would install them, and the second apt would find the first holding its lock. In a
# subshell of its own, whose end releases the lock.
host_tools() (
    exec {lock}>/run/lock/trelvan-host-tools.lock
    flock "$lock"
    missing=()
    command -v mmdebstrap >/dev/null || missing+=(mmdebstrap)
    command -v git >/dev/null || missing+=(git)
    if [ ${#missing[@]} -gt 0 ]; then
        apt-get -q -o Acquire::Retries=$retries update &&
            DEBIAN_FRONTEND=noninteractive apt-get -q -o Acquire::Retries=$retries install -y \
                --no-install-recommends "${missing[@]}" || exit 1
    fi
    mmdebstrap --version
)

# Builds a minimal root of $suite at $1 with the packages in $2 (comma-separated)
# and mounts what programs inside expect.
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
    reuse_downloads "$root"
    mount_system "$root"
    inside "$root" sh -c '. /etc/os-release && echo "root: $PRETTY_NAME"'
}

# Mounts what programs inside the root $1 expect of a system.
mount_system() {
    local root=$1 fs
    for fs in proc sys dev dev/pts dev/shm; do
        mkdir -p "$root/$fs"
        mount --bind "/$fs" "$root/$fs"
    done
}

# Mounts the host's folder $2 at the same path inside the root $1.
mount_into() {
    local root=$1 folder=$2
    mkdir -p "$folder" "$root$folder"
    mount --bind "$folder" "$root$folder"
}

# Runs a command as root inside $1 with a clean environment.
inside() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root "$@"
}
