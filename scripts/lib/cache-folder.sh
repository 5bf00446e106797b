# shellcheck shell=bash
# The folder that keeps what one run hands to the next: the static Qts and their
# sources, the compiled objects, the downloaded packages and the kept roots.
# TRELVAN_CACHE names another. Sourced; sets cache.
# shellcheck disable=SC2034 # read by the scripts that source this
cache=${TRELVAN_CACHE:-/var/cache/trelvan}
