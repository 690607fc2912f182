#!/usr/bin/env bash
# Stops the desktop start_desktop.sh started and removes its folder.
#   stop_desktop.sh STATE_FILE
set -u
state=${1:?usage: stop_desktop.sh STATE_FILE}
[ -f "$state" ] || exit 0
value() { sed -n "s/^$1=//p" "$state"; }
pids=$(value WM_PID; value XVFB_PID)
# Both at once; each removes what it made (Xvfb its lock file and socket) when it ends.
for pid in $pids; do kill "$pid" 2>/dev/null; done
for pid in $pids; do
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -9 "$pid" 2>/dev/null
done
dir=$(value DIR)
case "$dir" in
*/pm-desktop.*) rm -rf "$dir" ;;
esac
rm -f "$state"
