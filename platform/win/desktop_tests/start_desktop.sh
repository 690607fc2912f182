#!/usr/bin/env bash
# Starts a private desktop for the desktop tests: a virtual X display (Xvfb, 1280x1024, 24 bits) on
# a free display number with a real window manager (openbox) on it. Writes STATE_FILE with the
# lines DISPLAY=, XVFB_PID=, WM_PID=, DIR= once the window manager runs. On failure prints the logs
# and fails.
#   start_desktop.sh STATE_FILE
set -u
state=${1:?usage: start_desktop.sh STATE_FILE}
mkdir -p "$(dirname "$state")" && rm -f "$state" || exit 1
dir=$(mktemp -d "${TMPDIR:-/tmp}/pm-desktop.XXXXXX") || exit 1
xvfb_pid= wm_pid=

fail() {
    echo "desktop: $*" >&2
    for log in "$dir"/*.log; do
        [ -s "$log" ] && { echo "---- $log ----" >&2; tail -n 40 "$log" >&2; }
    done
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$dir"
    exit 1
}

answers() { DISPLAY=$1 xprop -root "${@:2}" >/dev/null 2>&1; }

# A display number nobody holds. Servers of other users or containers may hold a number without a
# lock file here (their listening socket is shared, ours then fails): such a start is abandoned.
display=
for attempt in $(seq 1 20); do
    n=$((100 + (RANDOM + $$ + attempt * 37) % 800))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >"$dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    sleep 0.1 # a start that fails says so at once
    for _ in $(seq 1 100); do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        grep -q "already running\|CreateListener() failed\|Cannot establish" "$dir/xvfb.log" && break
        answers ":$n" && { display=":$n"; break 2; }
        sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=
done
[ -n "$display" ] || fail "no virtual display could be started"

HOME=$dir XDG_CONFIG_HOME=$dir DISPLAY=$display setsid openbox --sm-disable </dev/null >"$dir/wm.log" 2>&1 &
wm_pid=$!
for _ in $(seq 1 100); do
    kill -0 "$wm_pid" 2>/dev/null || fail "the window manager exited"
    if DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
        printf 'DISPLAY=%s\nXVFB_PID=%s\nWM_PID=%s\nDIR=%s\n' "$display" "$xvfb_pid" "$wm_pid" "$dir" \
            >"$state.tmp" && mv "$state.tmp" "$state" && exit 0
        fail "cannot write $state"
    fi
    sleep 0.05
done
fail "the window manager did not start within 5 s"
