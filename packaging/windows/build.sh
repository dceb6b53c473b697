#!/usr/bin/env bash
# Builds the Windows program folder build/windows/Kavu/ and build/windows/Kavu-<version>-win64.zip
# with MinGW-w64 against the cached cross Qt (built first when missing). Run from the source tree.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
qt=$("$here/build_qt.sh")
build=build/windows

# The SVG drawings (the help pictures, the icon) are rendered while building, on this machine: the
# renderer is built first, alone, against the installed Qt and its SVG module (qt6-svg-dev).
renderer=build/windows-render-svg
cmake -S packaging/render_svg -B "$renderer" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$renderer"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DKAVU_HOST_RENDERER="$PWD/$renderer/render_svg" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DKAVU_TESTS=OFF -DKAVU_BENCH=OFF -DKAVU_WERROR=ON >/dev/null
cmake --build "$build" --target kavu -j "$(nproc 2>/dev/null || echo 2)"

# The folder ships without debugging symbols (the MinGW runtime DLLs carry theirs).
find "$build/Kavu" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

version=$(sed -n 's/^project(Kavu VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip="Kavu-$version-win64.zip"
rm -f "$build/$zip"
(cd "$build" && zip -qr "$zip" Kavu)
echo "$build/Kavu"
echo "$build/$zip"
