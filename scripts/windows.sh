#!/usr/bin/env bash
# Trelvan for 64-bit Windows, cross-built here and proven under wine:
#   1. installs the cross compiler, wine, nsis and the rest (scripts/setup.sh windows);
#   2. builds a static Qt for Windows from Debian's Qt source of the host Qt's
#      version, or takes it from its cache (scripts/windows-qt.sh);
#   3. builds build/windows/trelvan.exe (one self-contained file), its installer
#      build/windows/trelvan-<version>-setup.exe and build/windows/trelvan-<version>-windows.zip,
#      and the calculation and chart tests for Windows (the `windows` preset);
#   4. runs the tests, the program, the installer and the uninstaller under wine in an
#      X server of its own (tests/windows/wine_checks.sh).
# Run as root on Debian 12 or 13.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

bash scripts/setup.sh windows

qt_started=$SECONDS
TRELVAN_WINDOWS_QT=$(bash scripts/windows-qt.sh)
export TRELVAN_WINDOWS_QT
qt_seconds=$((SECONDS - qt_started))

cmake --preset windows
nice -n 10 cmake --build --preset windows --parallel "$(nproc)"

xvfb-run -a -s "-screen 0 1280x1024x24" bash tests/windows/wine_checks.sh build/windows

# One file a Windows user downloads and starts: small enough to mail.
exe_bytes=$(stat -c %s build/windows/trelvan.exe)
if [ "$exe_bytes" -gt $((25 * 1024 * 1024)) ]; then
    echo "windows: trelvan.exe is $exe_bytes bytes, more than 25 MiB" >&2
    exit 1
fi
for f in build/windows/trelvan.exe build/windows/trelvan-*-setup.exe build/windows/trelvan-*-windows.zip; do
    echo "windows: $f, $(stat -c %s "$f") bytes"
done
echo "windows: passed in $((SECONDS - started)) s (Qt: $qt_seconds s)"
