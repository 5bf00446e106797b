#!/usr/bin/env bash
# Runs one of the project's scripts in a fresh minimal Debian root of the given
# release, whatever the host's release, so that the same commit builds the same
# files on any host. The working tree and the cache of static Qt builds are
# mounted at their own paths, so what the script builds lands in the working
# tree's build/ as if built here. The root is removed afterwards, whatever the exit.
#
#   in-fresh-root.sh <bookworm|trixie> <script> [arguments]   (as root)
#
# Inside, TRELVAN_IN_ROOT names the release; the script starts in the working tree.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
suite=$1
shift
cache=${TRELVAN_CACHE:-/var/cache/trelvan}

[ "$(id -u)" -eq 0 ] || { echo "in-fresh-root: run as root (it builds and enters a Debian root)" >&2; exit 2; }

# shellcheck source=scripts/lib/debian-roots.sh
source "$repo/scripts/lib/debian-roots.sh"
work=$(mktemp -d /var/tmp/trelvan-root.XXXXXX)
roots=("$work/root")
trap remove_roots EXIT

started=$SECONDS
host_tools >/dev/null
make_root "$work/root" ca-certificates >"$work/make-root.log" 2>&1 ||
    { cat "$work/make-root.log" >&2; exit 1; }
mount_into "$work/root" "$repo"
mount_into "$work/root" "$cache"
# What the script fetches over https (the browser driver from npm) is checked
# against the certificate authorities this machine trusts, which may include
# those of a proxy of its own.
trusted=/etc/ssl/certs/host-ca-certificates.crt
cp /etc/ssl/certs/ca-certificates.crt "$work/root$trusted"
echo "in-fresh-root: a fresh Debian $suite root made in $((SECONDS - started)) s"
inside "$work/root" env TRELVAN_IN_ROOT="$suite" TRELVAN_CACHE="$cache" \
    NODE_EXTRA_CA_CERTS="$trusted" npm_config_cafile="$trusted" \
    bash -c 'cd "$1" && shift && exec bash "$@"' - "$repo" "$@"
