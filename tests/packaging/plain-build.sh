#!/usr/bin/env bash
# What someone with only a compiler, OpenGL and freeglut gets from the plain
# commands: the test and benchmark packages are hidden from CMake, and the
# build must still configure, build, install and package the demo. A
# multi-config generator is used when there is one, as on Windows and macOS.
# Asking for the tests without their packages must stop with a message that
# names what to install.
# Usage: plain-build.sh SOURCE_DIR WORK_DIR
set -euo pipefail

source=$1
work=$2
rm -rf "$work"
mkdir -p "$work"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

hidden=(-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
        -DCMAKE_DISABLE_FIND_PACKAGE_glm=ON -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON)
generator=()
config=()
if command -v ninja >/dev/null; then
    generator=(-G "Ninja Multi-Config")
    config=(--config Release)
fi

build=$work/build
cmake -S "$source" -B "$build" "${generator[@]}" "${hidden[@]}" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; fail "the plain configure failed"; }
cmake --build "$build" "${config[@]}" -j "$(nproc)" >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; fail "the plain build failed"; }
cmake --install "$build" "${config[@]}" --prefix "$work/prefix" >/dev/null ||
    fail "cmake --install failed"
[[ -x $work/prefix/bin/camera-demo ]] || fail "cmake --install did not install bin/camera-demo"

(cd "$build" && cpack "${config[@]/--config/-C}" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(find "$build" -maxdepth 1 -name 'camera-demo*.deb' | head -n 1)
zip=$(find "$build" -maxdepth 1 -name 'camera-demo*.zip' | head -n 1)
[[ -n $deb ]] || fail "cpack made no .deb"
[[ -n $zip ]] || fail "cpack made no .zip"
dpkg-deb --contents "$deb" | grep -q '/bin/camera-demo$' || fail "the .deb holds no bin/camera-demo"
dpkg-deb --field "$deb" Depends | grep -q glut || fail "the .deb does not depend on GLUT"
cmake -E tar tf "$zip" | grep -q 'bin/camera-demo$' || fail "the .zip holds no bin/camera-demo"

if cmake -S "$source" -B "$work/with-tests" -DCAMERA_DEMO_TESTS=ON "${hidden[@]}" \
    >"$work/with-tests.log" 2>&1; then
    fail "asking for the tests without GoogleTest configured anyway"
fi
grep -q "libgtest-dev" "$work/with-tests.log" ||
    { cat "$work/with-tests.log"; fail "the refusal does not name the package to install"; }

rm -rf "$work"
echo "ok: plain build, install, .deb and .zip without the test packages"
