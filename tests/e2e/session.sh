# shellcheck shell=bash
# Helpers for driving camera-demo the way a person would: a private virtual X
# server, the real executable, keys through XTEST and screenshots read back
# from the X server. Meant to be sourced by bash scripts that use `set -eu`.
#
# Needs Xvfb, xdotool and ImageMagick's import.

# shellcheck source=SCRIPTDIR/../support/xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

demoPid=""
demoWindow=""

nowMs() { echo $(($(date +%s%N) / 1000000)); }

# Runs "$@" until it succeeds or $1 milliseconds have passed; status 1 on
# timeout. Polling keeps fast machines fast and slow ones from failing.
waitFor() {
    local deadline=$(($(nowMs) + $1))
    shift
    until "$@"; do
        (($(nowMs) < deadline)) || return 1
        sleep 0.05
    done
}

stopProcess() {
    if [[ -n $1 ]]; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}

stopSession() {
    stopProcess "$demoPid"
    demoPid=""
    stopXServer
}

findDemoWindow() {
    demoWindow=$(xdotool search --name '^foo!$' 2>/dev/null | head -n 1)
    [[ -n $demoWindow ]] && xwininfo -id "$demoWindow" 2>/dev/null | grep -q 'IsViewable'
}

# Starts the demo and gives its window the input focus: there is no window
# manager to do it, and XTEST key events go to the focused window. The window
# must appear within DEMO_START_MS milliseconds (default 10000; a demo that
# first starts wine needs longer).
#
# For sanitizer builds: the GL driver leaves its buffers allocated at exit,
# which is not ours to fix, so leak checking is off; and a sanitizer report
# ends the process with 66, not with the 1 that Escape gives.
startDemo() {
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:exitcode=66" \
        UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}exitcode=66" "$1" &
    demoPid=$!
    if ! waitFor "${DEMO_START_MS:-10000}" findDemoWindow; then
        echo "no viewable window named 'foo!' appeared" >&2
        return 1
    fi
    xdotool windowfocus --sync "$demoWindow"
}

pressKey() { xdotool key "$1"; }

# Raw 8-bit RGB of the window, rows from the top.
screenshot() { import -window "$demoWindow" -depth 8 "rgb:$1"; }

windowSize() { xdotool getwindowgeometry --shell "$demoWindow" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd' '; }
