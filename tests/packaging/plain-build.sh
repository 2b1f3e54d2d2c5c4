#!/usr/bin/env bash
# What someone with only a compiler, OpenGL and freeglut gets from the plain
# commands: the test and benchmark packages are hidden from CMake, and the
# build must still configure, build, install and package the demo. A
# multi-config generator is used when there is one, as on Windows and macOS.
# What is installed is what a person installs: cmake --install puts exactly
# the .deb's files under its prefix; the .deb passes lintian with no error or
# warning, and its menu entry, metainfo and manual page pass their own
# checkers (lintian, desktop-file-utils, appstream, man-db: scripts/install-deps
# test; where one is missing the check says so and goes on without it). Every
# relative link of the installed documents leads to an installed file. Asking
# for the tests without their packages must stop with a message that names
# what to install.
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
prefix=$work/prefix
cmake --install "$build" "${config[@]}" --prefix "$prefix" >/dev/null ||
    fail "cmake --install failed"
[[ -x $prefix/bin/camera-demo ]] || fail "cmake --install did not install bin/camera-demo"
for file in share/applications/camera-demo.desktop share/icons/hicolor/48x48/apps/camera-demo.png \
    share/icons/hicolor/scalable/apps/camera-demo.svg share/man/man6/camera-demo.6.gz \
    share/doc/camera-demo/copyright share/doc/camera-demo/README.md; do
    [[ -f $prefix/$file ]] || fail "cmake --install did not install $file"
done

(cd "$build" && cpack "${config[@]/--config/-C}" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(find "$build" -maxdepth 1 -name 'camera-demo*.deb' | head -n 1)
zip=$(find "$build" -maxdepth 1 -name 'camera-demo*.zip' | head -n 1)
[[ -n $deb ]] || fail "cpack made no .deb"
[[ -n $zip ]] || fail "cpack made no .zip"
dpkg-deb --contents "$deb" | grep '/bin/camera-demo$' >/dev/null || fail "the .deb holds no bin/camera-demo"
dpkg-deb --field "$deb" Depends | grep -q glut || fail "the .deb does not depend on GLUT"
cmake -E tar tf "$zip" | grep 'bin/camera-demo$' >/dev/null || fail "the .zip holds no bin/camera-demo"

diff <(cd "$prefix" && find . -type f | sort) \
    <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./usr/|./|' | sort) ||
    fail "cmake --install and the .deb install different files (<: install, >: .deb)"

# The README and the documents it links are installed with what they link,
# at the same relative paths: no link of theirs may lead nowhere.
docs=$prefix/share/doc/camera-demo
mapfile -t installedDocuments < <(find "$docs" -name '*.md')
brokenLinks=$("$source/scripts/check-links" "${installedDocuments[@]}") ||
    fail "installed documents link files that are not installed:
${brokenLinks//$docs\//}"

# Each checker that is missing is named and skipped, so that the rest still runs.
skipped=()
checker() {
    command -v "$1" >/dev/null && return 0
    echo "plain-build: $1 is missing (scripts/install-deps test installs it): $2 not checked"
    skipped+=("$1")
    return 1
}
if checker lintian "the .deb"; then
    lintian --allow-root --fail-on error,warning "$deb" || fail "lintian finds errors or warnings in the .deb"
fi
# Education and Graphics are both main categories: a hint, not a fault.
if checker desktop-file-validate "the menu entry"; then
    desktopFindings=$(desktop-file-validate "$prefix"/share/applications/*.desktop 2>&1) &&
        ! grep -E "error|warning" <<<"$desktopFindings" || fail "desktop-file-validate: $desktopFindings"
fi
# Pedantic, and every finding counts, hints included: what a software centre
# shows comes from here.
if checker appstreamcli "the metainfo"; then
    appstreamcli validate --pedantic --no-net "$prefix"/share/metainfo/*.metainfo.xml \
        >"$work/appstream.log" 2>&1 && ! grep -qE '^[EWIP]: ' "$work/appstream.log" ||
        { cat "$work/appstream.log"; fail "appstreamcli validate --pedantic has findings in the metainfo"; }
fi
if checker man "the manual page"; then
    manWarnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man6/camera-demo.6.gz" 2>&1 >/dev/null)
    [[ -z $manWarnings ]] || fail "the manual page renders with warnings: $manWarnings"
fi

if cmake -S "$source" -B "$work/with-tests" -DCAMERA_DEMO_TESTS=ON "${hidden[@]}" \
    >"$work/with-tests.log" 2>&1; then
    fail "asking for the tests without GoogleTest configured anyway"
fi
grep -q "libgtest-dev" "$work/with-tests.log" ||
    { cat "$work/with-tests.log"; fail "the refusal does not name the package to install"; }

rm -rf "$work"
echo "ok: plain build, install, .deb (lintian, desktop entry, metainfo, manual page, the documents' links) and .zip" \
    "without the test packages${skipped:+ (not checked for want of a checker: ${skipped[*]})}"
