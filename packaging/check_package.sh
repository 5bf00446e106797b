#!/usr/bin/env bash
# Builds the Debian package from an already built tree into a scratch directory and checks
# what it installs and what it declares it needs.
#   check_package.sh CPACK BUILD_DIR VERSION RUNTIME_PACKAGE...
set -uo pipefail

cpack=$1 build=$2 version=$3
shift 3
runtime_packages=("$@")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack did not build the package"
    exit 1
fi

deb="$scratch/trelvan_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
    ls "$scratch"
    echo "FAIL: no package named $(basename "$deb")"
    exit 1
fi

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/trelvan \
    ./usr/share/applications/trelvan.desktop \
    ./usr/share/icons/hicolor/scalable/apps/trelvan.svg \
    ./usr/share/metainfo/org.trelvan.Trelvan.metainfo.xml \
    ./usr/share/doc/trelvan/copyright \
    ./usr/share/doc/trelvan/changelog.gz \
    ./usr/share/man/man1/trelvan.1.gz; do
    grep -qxF "$path" <<<"$contents" || fail "the package does not install $path"
done
extra=$(grep -v -e '/$' -e '^./usr/bin/trelvan$' -e '^./usr/share/' <<<"$contents")
[ -z "$extra" ] || fail "the package installs unexpected files: $extra"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = trelvan ] || fail "package name is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "version is '$(field Version)'"
[ "$(field Section)" = science ] || fail "section is '$(field Section)'"

# One dependency name per line, version constraints and alternatives dropped.
depends=$(field Depends | tr ',|' '\n\n' | sed -e 's/(.*)//' -e 's/[[:space:]]//g')
for package in "${runtime_packages[@]}"; do
    grep -qxF "$package" <<<"$depends" || fail "Depends does not name $package: $(field Depends)"
done
# The Qt libraries the program links, as dpkg-shlibdeps names them on this release: since the
# 64-bit time transition (Debian 13) some carry a t64 suffix.
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -qxE "${library}(t64)?" <<<"$depends" || fail "Depends does not name $library: $(field Depends)"
done
# The pictures are recordings played back by Qt's own painter: no SVG module at run time.
if grep -qE '^libqt6svg6(t64)?$' <<<"$depends"; then
    fail "Depends names Qt SVG, which the program no longer loads: $(field Depends)"
fi
# A dependency on one exact Qt build (its ABI package) would make apt hold Qt back, or remove
# the program, at Qt's next point release: only public Qt API is used.
if grep -qE '^qt6-base(-private)?-abi$' <<<"$depends"; then
    fail "Depends pins an exact Qt build: $(field Depends)"
fi
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)', not qt6-wayland"
repeated=$(sort <<<"$depends" | uniq -d)
[ -z "$repeated" ] || fail "Depends names more than once: $repeated"

# Debian's own checker finds no error (its warnings are shown, not failed on).
if ! lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1; then
    fail "lintian reports errors"
fi
grep -v 'root privileges' "$scratch/lintian.log" || true

dpkg-deb -x "$deb" "$scratch/root"
desktop="$scratch/root/usr/share/applications/trelvan.desktop"
grep -qx 'Exec=trelvan' "$desktop" || fail "the desktop entry does not start trelvan"
grep -qx 'Icon=trelvan' "$desktop" || fail "the desktop entry does not name the icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate --no-hints "$desktop" || fail "desktop-file-validate rejects the entry"
fi
# The software centres' checker: no error and no warning, on any release. (Its infos differ
# between releases: the developer entry AppStream 1.0 asks for is unknown to 0.16.)
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/org.trelvan.Trelvan.metainfo.xml" ||
    fail "appstreamcli finds fault with the metainfo"
program="$scratch/root/usr/bin/trelvan"
[ -x "$program" ] && [ "$(head -c 4 "$program")" = $'\x7fELF' ] ||
    fail "usr/bin/trelvan is not an executable program"

[ "$failures" -eq 0 ] && echo "package $(basename "$deb") checked"
exit $((failures > 0))
