#!/usr/bin/env bash
# Stops the server that start_server.sh started, by its process id, and removes its folder.
#   stop_server.sh STATE_FILE
set -u
state=${1:?usage: stop_server.sh STATE_FILE}
[ -f "$state" ] || { echo "test server: no state file $state, nothing to stop"; exit 0; }
pid=$(sed -n 's/^PID=//p' "$state")
dir=$(sed -n 's/^DIR=//p' "$state")
rm -f "$state"
if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && { echo "test server: $pid did not stop, killing it" >&2; kill -9 "$pid"; }
fi
case "$dir" in
    */tessmark-server.*) rm -rf "$dir" ;;
esac
exit 0
