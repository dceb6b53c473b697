#!/usr/bin/env bash
# Builds, once, a small Qt for 64-bit Windows from Debian's own qt6-base source with MinGW-w64,
# and prints its install prefix. The result is cached outside the tree, keyed by Qt version, and
# reused by later runs. Debian's installed Qt serves as the host tools (moc, uic, rcc).
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[+~-].*//')
cache=${KAVU_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kavu}
prefix=$cache/qt-$version-mingw64
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/qt-$version-mingw64-work
rm -rf "$work" "$prefix"
mkdir -p "$work"
(
    cd "$work"
    apt-get source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >&2
    dpkg-source -x qt6-base_*.dsc src >&2
    mkdir build && cd build
    ../src/configure -prefix "$prefix" -release \
        -qt-host-path /usr -nomake tests -nomake examples \
        -no-opengl -no-dbus -no-feature-sql -no-feature-tabletevent -no-feature-testlib \
        -no-feature-printsupport -no-feature-concurrent -no-feature-xml -no-gif -no-ico \
        -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -no-icu -no-openssl \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
    cmake --build . -j "$(nproc 2>/dev/null || echo 2)" >&2
    cmake --install . >&2
)
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
