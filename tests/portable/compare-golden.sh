#!/usr/bin/env bash
# Renders every reference frame with render_frame, each in a fresh process,
# and counts the pixels that differ from the reference pictures. The frames
# are exact only on the renderer that made the references (named in
# renderer.txt beside them): on another one the comparison says so and ends
# with status 77, which ctest reports as skipped.
# Usage: compare-golden.sh GOLDEN_DIR OUT_DIR RENDER_FRAME_COMMAND...
#   (for instance: compare-golden.sh tests/golden out wine render_frame.exe)
set -euo pipefail

golden=$1
out=$2
shift 2
mkdir -p "$out"

expectedRenderer=$(cat "$golden/renderer.txt")
actualRenderer=$("$@" --renderer | tr -d '\r')
mapfile -t cases < <("$@" --list-cases | tr -d '\r')

failed=0
for name in "${cases[@]}"; do
    "$@" --render-case "$name" "$out/$name.ppm"
    # compare prints the number of differing pixels (absolute error count).
    different=$(compare -metric AE "$golden/$name.png" "$out/$name.ppm" null: 2>&1) || true
    echo "$name: $different pixels differ"
    if [[ $different == 0 ]]; then
        rm -f "$out/$name.ppm"
    else
        failed=1
    fi
done

if [[ $actualRenderer != "$expectedRenderer" ]]; then
    echo "The references were drawn by:"
    sed 's/^/    /' <<<"$expectedRenderer"
    echo "this run drew with:"
    sed 's/^/    /' <<<"$actualRenderer"
    echo "Frames are exact only on the same renderer, so the counts above are not a verdict."
    exit 77
fi
if ((failed)); then
    echo "frames that differ are kept in $out"
    exit 1
fi
