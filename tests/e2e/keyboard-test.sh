#!/usr/bin/env bash
# End-to-end keyboard and mouse checks on the real camera-demo in a virtual X
# server.
# Usage: keyboard-test.sh <camera-demo> pause|caption|escape|drag|home|frame|overtop|step|fullscreen
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
        # One taken before the window was resized has another size.
        convert -size "${width}x${height}" -depth 8 "rgb:$shot" "$kept/$(basename "$shot" .rgb).png" 2>/dev/null || true
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
    echo "Escape ended the demo with exit status 1"
}

# --- The hand ----------------------------------------------------------------

golden=$(cd "$(dirname "$0")/../golden" && pwd)

mouseTo() { xdotool mousemove --window "$demoWindow" "$1" "$2"; }

# A fingerprint of the left view (the left half) of screenshot $1.
leftView() { convert -size "${width}x${height}" -depth 8 "rgb:$1" -crop "$((width / 2))x${height}+0+0" rgb:- | md5sum; }
leftViewNow() { screenshot "$work/left.rgb" && leftView "$work/left.rgb"; }
leftViewChangedFrom() { [[ $(leftViewNow) != "$1" ]]; }

# For each awk condition from $3 on (on r = $1, g = $2, b = $3), one line
# "x y count": where the pixels of screenshot $1 that satisfy it lie in the
# $2 ("left" or "right") half of the window, in that half's columns.
centroids() {
    local file=$1 half=$((width / 2)) from=0 program="" i=0 condition
    [[ $2 == right ]] && from=$half
    shift 2
    for condition in "$@"; do
        program+="($condition) { sx[$i] += x; sy[$i] += y; n[$i]++ } "
        i=$((i + 1))
    done
    convert -size "${width}x${height}" -depth 8 "rgb:$file" -crop "${half}x${height}+${from}+0" rgb:- |
        od -An -v -tu1 -w3 | awk -v half="$half" -v count="$i" '
        { x = (NR - 1) % half; y = int((NR - 1) / half) }
        '"$program"'
        END { for (i = 0; i < count; i++) printf "%d %d %d\n", n[i] ? sx[i] / n[i] : 0, n[i] ? sy[i] / n[i] : 0, n[i] }'
}
green='$2 > 100 && $1 < 60 && $3 < 60'
blue='$3 > 100 && $1 < 40 && $2 < 40'
yellow='$1 > 150 && $2 > 150 && $3 < 100'
cyan='$1 < 100 && $2 > 150 && $3 > 150'
magenta='$1 > 150 && $2 < 100 && $3 > 150'

checkDrag() {
    waitFor 3000 framesMoving 0.2 || fail "the animation does not run after start-up"
    mouseTo 200 200
    xdotool mousedown 1
    waitFor 3000 framesStill 0.2 || fail "frames still change while the button is held"
    local held
    held=$(leftViewNow)
    for step in 1 2 3 4 5; do mouseTo $((200 + 20 * step)) 200; done
    xdotool mouseup 1
    waitFor 3000 leftViewChangedFrom "$held" || fail "a drag left the left view as it was"
    framesStill 0.5 || fail "the animation ran on after the drag"

    # A right drag turns the view in place; each wheel notch (X buttons 4 and
    # 5) moves the eye.
    held=$(leftViewNow)
    xdotool mousedown 3
    for step in 1 2 3; do mouseTo 300 $((200 + 15 * step)); done
    xdotool mouseup 3
    waitFor 3000 leftViewChangedFrom "$held" || fail "a right drag left the left view as it was"
    local button
    for button in 4 5; do
        held=$(leftViewNow)
        xdotool click "$button"
        waitFor 3000 leftViewChangedFrom "$held" || fail "a notch of the wheel (X button $button) left the left view as it was"
    done
    framesStill 0.5 || fail "the animation ran on after the right drag and the wheel"

    pressKey space
    waitFor 3000 framesMoving 0.2 || fail "space did not resume the animation after a drag"
}

leftViewIs() { [[ $(leftViewNow) == "$1" ]]; }

# The first frame is the start pose before any step; after a drag, Home must
# give its left view back pixel for pixel (the trail of the first mode lies
# edge-on there, hidden behind the x axis).
checkHome() {
    local first
    convert "$golden/first-frame.png" -depth 8 "rgb:$work/first.rgb"
    first=$(leftView "$work/first.rgb")
    sleep 0.3
    mouseTo 200 200
    xdotool mousedown 1
    mouseTo 260 150
    mouseTo 300 120
    xdotool mouseup 1
    pressKey Home
    waitFor 3000 leftViewIs "$first" || fail "after Home the left view is not the first frame's"
}

frameColours() {
    screenshot "$work/frame.rgb"
    centroids "$work/frame.rgb" right "$yellow" "$cyan" "$magenta" | cut -d' ' -f3 | paste -sd' '
}
arrowsShown() { read -r y c m < <(frameColours) && ((y > 20 && c > 20 && m > 20)); }
arrowsHidden() { [[ $(frameColours) == "0 0 0" ]]; }

# The grey ink of the F1 and F2 lines as "x y" from the overview's lower left
# corner, in the 40 rows above its bottom edge (the caption is far above).
overlayText() {
    screenshot "$work/text.rgb"
    od -An -v -tu1 -w3 "$work/text.rgb" | awk -v width="$width" -v height="$height" '
        { x = (NR - 1) % width - int(width / 2) - 5; y = height - 6 - int((NR - 1) / width) }
        x >= 0 && y >= 0 && y < 40 && $1 == $2 && $2 == $3 && $1 >= 126 && $1 <= 129 { print x, y }'
}
# Its fingerprint, first column, lowest row and pixel count.
textInk=""
readText() {
    local text
    text=$(overlayText)
    textInk="$(md5sum <<<"$text" | cut -d' ' -f1) $(awk '
        NR == 1 || $1 < x { x = $1 } NR == 1 || $2 < y { y = $2 } END { print x + 0, y + 0, NR }' <<<"$text")"
}
# At the first size both lines' ink starts 9 columns in (each glyph's blank
# first column) and 5 rows up (the descenders under the controls line), as
# it did when the lines were placed in the scene's coordinates.
textAtFirstPlace() { readText && [[ $textInk =~ ^[0-9a-f]+\ 9\ 5\ ([0-9]+)$ ]] && ((BASH_REMATCH[1] > 800)); }
textAsAt() { readText && [[ $textInk == "$1" ]]; }

resizeWindow() {
    xdotool windowsize --sync "$demoWindow" "$1" "$2"
    read -r width height < <(windowSize)
}

checkFrame() {
    pressKey space
    pressKey Home  # a known pose: no arrow hides behind another
    arrowsHidden || fail "arrow colours in the overview before F2: $(frameColours)"
    pressKey F2
    waitFor 3000 arrowsShown || fail "F2 did not show three arrows; pixels: $(frameColours)"

    # The lines keep their pixels from the overview's corner at other shapes.
    pressKey F1
    waitFor 3000 textAtFirstPlace || fail "F1 and F2 text at 800 x 400: (fingerprint, x, y, count) $textInk"
    local first=$textInk size
    for size in "1000 600" "900 400"; do
        resizeWindow $size
        waitFor 3000 textAsAt "$first" ||
            fail "the text at $width x $height is not as at 800 x 400: $textInk against $first"
    done

    pressKey F2
    waitFor 3000 arrowsHidden || fail "F2 again did not hide the arrows: $(frameColours)"
}

# From the start pose a drag downward takes the eye up and over the top of
# the scene about the x axis. All the way the cube stays in the middle and the
# blue sphere, on that axis, stays to its right: no flip, no jump.
checkOverTheTop() {
    pressKey space
    pressKey Home
    mouseTo 200 100
    xdotool mousedown 1
    local step before gx gy bx by n m lastBx=-1
    for step in $(seq 1 24); do
        before=$(leftViewNow)
        mouseTo 200 $((100 + 20 * step))
        waitFor 3000 leftViewChangedFrom "$before" || fail "step $step of the drag left the view as it was"
        { read -r gx gy n && read -r bx by m; } < <(centroids "$work/left.rgb" left "$green" "$blue")
        ((n > 100 && gx > 190 && gx < 210 && gy > 187 && gy < 208)) ||
            fail "step $step: the cube is not in the middle (centre $gx $gy, $n pixels)"
        ((m > 100 && bx > gx + 30 && by > gy - 10 && by < gy + 10)) ||
            fail "step $step: the blue sphere is not right of the cube (centre $bx $by, $m pixels)"
        ((lastBx < 0 || (bx - lastBx) ** 2 < 100)) || fail "step $step: the picture jumped"
        lastBx=$bx
    done
    xdotool mouseup 1
}

# --- One step, the pace, full screen -----------------------------------------

textChangedFrom() { readText && [[ $textInk != "$1" ]]; }

# F3 holds a running animation; each further F3 moves the picture once and
# it stays. F4 names the next pace in the F1 keys line; four bring it back.
# F8 names the drag by angles there, and again by vectors.
checkStep() {
    waitFor 3000 framesMoving 0.2 || fail "the animation does not run after start-up"
    pressKey F3
    waitFor 3000 framesStill 0.2 || fail "frames still change after F3"
    local press before
    for press in 1 2 3; do
        before=$(leftViewNow)
        pressKey F3
        waitFor 3000 leftViewChangedFrom "$before" || fail "F3 press $press left the left view as it was"
        framesStill 0.3 || fail "the picture moved on after F3 press $press"
    done

    pressKey F1
    waitFor 3000 textAtFirstPlace || fail "F1 lines at 800 x 400: (fingerprint, x, y, count) $textInk"
    local full=$textInk
    pressKey F4
    waitFor 3000 textChangedFrom "$full" || fail "F4 left the F1 lines as they were"
    for press in 2 3 4; do pressKey F4; done
    waitFor 3000 textAsAt "$full" || fail "four presses of F4 did not bring back the lines of full pace: $textInk against $full"
    pressKey F8
    waitFor 3000 textChangedFrom "$full" || fail "F8 left the F1 lines as they were"
    pressKey F8
    waitFor 3000 textAsAt "$full" || fail "F8 again did not bring back the lines of the drag by vectors: $textInk against $full"
}

sizeIs() { read -r width height < <(windowSize) && [[ "$width $height" == "$1 $2" ]]; }

# The divider: ten black columns in the middle of the window, from top to
# bottom, and the columns beside them not.
dividerInMiddle() {
    screenshot "$work/divider.rgb"
    convert -size "${width}x${height}" -depth 8 "rgb:$work/divider.rgb" -crop "12x${height}+$((width / 2 - 6))+0" rgb:- |
        od -An -v -tu1 -w3 | awk -v height="$height" '
            $1 + $2 + $3 == 0 { black[(NR - 1) % 12]++ }
            END { for (x = 0; x < 12; x++) if ((black[x] == height) != (x >= 1 && x <= 10)) exit 1 }'
}

# Without a window manager freeglut fills the screen by moving the window by
# minus its position (which it takes for the offset in a window manager's
# frame) and giving it the screen's size, and gives the size back where the
# window is: from the screen's corner the window covers the screen exactly
# and stays in view.
checkFullScreen() {
    local first screenWidth screenHeight
    convert "$golden/first-frame.png" -depth 8 "rgb:$work/first.rgb"
    first=$(leftView "$work/first.rgb")
    read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
    pressKey space
    pressKey Home
    xdotool windowmove --sync "$demoWindow" 0 0

    pressKey F11
    waitFor 3000 sizeIs "$screenWidth" "$screenHeight" ||
        fail "F11 did not fill the $screenWidth x $screenHeight screen: the window is $width x $height"
    waitFor 3000 dividerInMiddle || fail "no divider in the middle of the frame at $width x $height"
    pressKey F11
    waitFor 3000 sizeIs 800 400 || fail "F11 again did not give back 800 x 400: the window is $width x $height"
    waitFor 3000 leftViewIs "$first" || fail "back at 800 x 400 the left view is not the first frame's"
    dividerInMiddle || fail "back at 800 x 400 the divider is not where it was"
    pressKey F11
    waitFor 3000 sizeIs "$screenWidth" "$screenHeight" ||
        fail "a third F11 did not fill the screen again: the window is $width x $height"
}

# ---------------------------------------------------------------------------

startXServer
startDemo "$demo"
read -r width height < <(windowSize)

case $check in
    pause) checkPause ;;
    caption) checkCaptions ;;
    escape) checkEscape ;;
    drag) checkDrag ;;
    home) checkHome ;;
    frame) checkFrame ;;
    overtop) checkOverTheTop ;;
    step) checkStep ;;
    fullscreen) checkFullScreen ;;
    *) echo "unknown check '$check'" >&2 && exit 2 ;;
esac
echo "ok ($check)"
