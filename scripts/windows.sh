#!/usr/bin/env bash
# Trelvan for 64-bit Windows, cross-built on Debian and proven under wine:
#   1. installs the cross compiler, wine, nsis and the rest (scripts/setup.sh windows);
#   2. builds a static Qt for Windows from Debian's Qt source, or takes it from
#      its cache (scripts/static-qt-windows.sh);
#   3. builds build/windows/trelvan.exe (one self-contained file), its installer
#      build/windows/trelvan-<version>-setup.exe and build/windows/trelvan-<version>-windows.zip,
#      and the tests for Windows (the `windows` preset);
#   4. runs the tests, the program at every display scale and under the dark
#      mode, the installer and the uninstaller under wine in an X server of its
#      own (tests/windows/wine_checks.sh).
# Run as root on Debian 12 or 13. It all happens in a fresh Debian 13 root (its
# Qt is the newest the project supports), so that the same commit gives the
# same files on either host.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${TRELVAN_IN_ROOT:-}" != trixie ]; then
    exec bash scripts/in-fresh-root.sh trixie scripts/windows.sh
fi
started=$SECONDS

bash scripts/setup.sh windows

qt_started=$SECONDS
TRELVAN_WINDOWS_QT=$(bash scripts/static-qt-windows.sh)
export TRELVAN_WINDOWS_QT
qt_seconds=$((SECONDS - qt_started))

# shellcheck source=scripts/lib/compiler-cache.sh
source scripts/lib/compiler-cache.sh
use_compiler_cache windows
cmake --preset windows
nice -n 10 cmake --build --preset windows --parallel "$(nproc)"

# -noreset: an X server resets when its last client leaves, and a client that
# connects meanwhile is turned away; wine's clients all leave between checks.
xvfb-run -a -s "-screen 0 2048x1536x24 -noreset" bash tests/windows/wine_checks.sh build/windows

# One file a Windows user downloads and starts: small enough to mail.
exe_bytes=$(stat -c %s build/windows/trelvan.exe)
if [ "$exe_bytes" -gt $((25 * 1024 * 1024)) ]; then
    echo "windows: trelvan.exe is $exe_bytes bytes, more than 25 MiB" >&2
    exit 1
fi
for f in build/windows/trelvan.exe build/windows/trelvan-*-setup.exe build/windows/trelvan-*-windows.zip; do
    echo "windows: $f, $(stat -c %s "$f") bytes"
done
echo "windows: $(head -n 1 "$TRELVAN_WINDOWS_QT/configure-options.txt")"
echo "windows: passed in $((SECONDS - started)) s (Qt: $qt_seconds s)"
