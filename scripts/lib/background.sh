# shellcheck shell=bash
# A stage that runs in the background beside the ones that follow, in a process
# group of its own: ending it ends everything it started (a root's mmdebstrap
# and apt, a Qt's compilers), however deep, and nothing else. It stays in its
# caller's session, so where the kernel groups each session for the scheduler
# a lowered priority (nice) counts against the caller's own work. Sourced.
#
#   start_background COMMAND [ARGUMENTS]   a program or a function of the caller,
#                                          with the caller's redirections; its
#                                          process is $background_pid
#   end_background PID                     ends its group and waits for it
start_background() {
    # Job control gives each job started meanwhile a process group of its own.
    set -m
    "$@" &
    # shellcheck disable=SC2034 # read by the caller
    background_pid=$!
    set +m
}

end_background() {
    kill -TERM -- "-$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
