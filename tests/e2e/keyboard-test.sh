#!/usr/bin/env bash
# End-to-end keyboard checks on the real camera-demo in a virtual X server.
# Usage: keyboard-test.sh <camera-demo> pause|caption|escape
# On failure it says what it saw and keeps the screenshots as PNG files in
# ./e2e-failures/<check>/.
set -euo pipefail

demo=$1
check=$2
# shellcheck source=SCRIPTDIR/session.sh
source "$(dirname "$0")/session.sh"

work=$(mktemp -d)
trap 'stopSession; rm -rf "$work"' EXIT

fail() {
    echo "FAIL ($check): $*" >&2
    local kept="e2e-failures/$check"
    mkdir -p "$kept"
    local shot
    for shot in "$work"/*.rgb; do
        [[ -e $shot ]] || continue
        convert -size "${width}x${height}" -depth 8 "rgb:$shot" "$kept/$(basename "$shot" .rgb).png"
    done
    echo "screenshots kept in $(pwd)/$kept" >&2
    exit 1
}

# --- Pausing -------------------------------------------------------------

# Two screenshots $1 seconds apart, into a.rgb and b.rgb.
shotPair() {
    screenshot "$work/a.rgb"
    sleep "$1"
    screenshot "$work/b.rgb"
}
framesStill() { shotPair "$1" && cmp -s "$work/a.rgb" "$work/b.rgb"; }
framesMoving() { shotPair "$1" && ! cmp -s "$work/a.rgb" "$work/b.rgb"; }

checkPause() {
    waitFor 3000 framesMoving 0.2 || fail "the animation does not run after start-up"

    pressKey space
    # A frame already on its way may still land just after the key.
    waitFor 3000 framesStill 0.2 || fail "frames still change after space"
    framesStill 0.5 || fail "a paused frame changed within 0.5 s"

    pressKey space
    waitFor 3000 framesMoving 0.2 || fail "frames stay the same after space was pressed again"
}

# --- Captions --------------------------------------------------------------

# The caption is drawn in grey (128 on a 0..255 scale; allow for rounding)
# near the top of the right view; nothing else there has that colour.
captionRows=30
caption=""
captionFirst=0
captionLast=0

# Reads the caption off a fresh screenshot: its pixels (as a fingerprint)
# and the first and last column they occupy.
readCaption() {
    screenshot "$work/caption.rgb"
    local pixels
    pixels=$(head -c $((width * 3 * captionRows)) "$work/caption.rgb" | od -An -v -tu1 -w3 |
        awk -v width="$width" -v from=$((width / 2 + 5)) '
            { x = (NR - 1) % width; y = int((NR - 1) / width) }
            x >= from && $1 == $2 && $2 == $3 && $1 >= 126 && $1 <= 129 { print x, y }')
    caption=$(md5sum <<<"$pixels" | cut -d' ' -f1)
    captionFirst=$(sort -n <<<"$pixels" | head -n 1 | cut -d' ' -f1)
    captionLast=$(sort -n <<<"$pixels" | tail -n 1 | cut -d' ' -f1)
    captionFirst=${captionFirst:-0}
    captionLast=${captionLast:-0}
}

captionSpan() { echo $((captionLast - captionFirst + 1)); }

# Each character advances 8 pixels; the blank columns at the glyphs' edges
# make the inked span a little shorter than that.
spanFits() {
    local span=$1 characters=$2
    ((span > 8 * characters - 8 && span <= 8 * characters))
}

# The caption of $1 characters is shown; with $2 it must also differ from
# the fingerprint $2 (two captions of the same length).
captionShows() {
    readCaption
    spanFits "$(captionSpan)" "$1" && [[ -z ${2:-} || $caption != "$2" ]]
}

# Sends key $1 and waits for the caption "$2" (its length is what is seen).
keyShowsCaption() {
    local before=$caption length=${#2}
    pressKey "$1"
    # Neighbouring captions may have the same length, so the text must also
    # have changed.
    waitFor 3000 captionShows "$length" "$before" ||
        fail "after key $1 expected \"$2\" ($length characters, span about $((8 * length)) px); saw a span of $(captionSpan) px (columns $captionFirst..$captionLast)"
}

# A caption longer than fits is cut off only at the window's edge, not at the
# edge of the right view.
captionReachesWindowEdge() {
    readCaption
    ((captionLast >= width - 8)) && [[ $caption != "$1" ]]
}

checkCaptions() {
    waitFor 3000 captionShows 14 ||
        fail "no caption of 14 characters (\"A circle in XZ\") after start-up; saw a span of $(captionSpan) px"

    # Letters, digits and control keys alike move on to the next mode.
    keyShowsCaption a "A polar sphere"
    keyShowsCaption 7 "Varying the radius of an XZ circle"

    local before=$caption
    pressKey Return
    waitFor 3000 captionReachesWindowEdge "$before" ||
        fail "after Return expected the long caption to run to the window's right edge; saw columns $captionFirst..$captionLast"

    keyShowsCaption Tab "True examine mode using vectors"
    keyShowsCaption BackSpace "A circle in XZ"

    # While paused a mode key takes effect only once the animation resumes,
    # as the next step is what names the new mode.
    pressKey space
    waitFor 3000 framesStill 0.2 || fail "frames still change after space"
    readCaption
    before=$caption
    pressKey b
    sleep 0.3
    readCaption
    [[ $caption == "$before" ]] || fail "the caption changed while paused (span now $(captionSpan) px)"
    pressKey space
    waitFor 3000 captionShows 14 "$before" ||
        fail "after resuming expected \"A polar sphere\"; saw a span of $(captionSpan) px"

    # Arrow keys are not mode keys.
    before=$caption
    pressKey Left
    sleep 0.3
    readCaption
    [[ $caption == "$before" ]] || fail "an arrow key changed the caption (span now $(captionSpan) px)"
}

# --- Quitting --------------------------------------------------------------

demoEnded() { ! kill -0 "$demoPid" 2>/dev/null; }

checkEscape() {
    pressKey Escape
    waitFor 5000 demoEnded || fail "the demo still runs 5 s after Escape"
    local status=0
    wait "$demoPid" || status=$?
    demoPid=""
    ((status == 1)) || fail "Escape ended the demo with exit status $status, expected 1"
}

# ---------------------------------------------------------------------------

startXServer
startDemo "$demo"
read -r width height < <(windowSize)

case $check in
    pause) checkPause ;;
    caption) checkCaptions ;;
    escape) checkEscape ;;
    *) echo "unknown check '$check'" >&2 && exit 2 ;;
esac
echo "ok ($check)"
