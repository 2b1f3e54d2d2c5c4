# shellcheck shell=bash
# The one way this project starts a virtual X server, for every test and
# script that needs a display: sourced by with-xvfb and the end-to-end
# session helpers.
#
# Xvfb picks the first free display and reports its number on a pipe once it
# accepts clients (-displayfd), so servers can run side by side. -noreset
# keeps it from resetting whenever its last client leaves, which would refuse
# a client connecting at that moment. Every window sees the same 24-bit
# screen, large enough for a window of 1280 x 1024, unless XVFB_SCREEN
# names another (as WIDTHxHEIGHTxDEPTH).

xServerPid=""

# Starts the server and exports DISPLAY; status 1 when it does not answer
# within 10 seconds.
startXServer() {
    local displayFile tries=0
    displayFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$displayFile" 2>/dev/null &
    xServerPid=$!
    until [[ -s $displayFile ]]; do
        if ((tries++ >= 200)) || ! kill -0 "$xServerPid" 2>/dev/null; then
            echo "the virtual X server (Xvfb) did not start" >&2
            rm -f "$displayFile"
            return 1
        fi
        sleep 0.05
    done
    DISPLAY=":$(head -n 1 "$displayFile")"
    export DISPLAY
    rm -f "$displayFile"
}

stopXServer() {
    if [[ -n $xServerPid ]]; then
        kill "$xServerPid" 2>/dev/null || true
        wait "$xServerPid" 2>/dev/null || true
        xServerPid=""
    fi
}
