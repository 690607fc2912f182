#!/usr/bin/env bash
# A server start that fails (here: an option the server refuses) reports the failure and leaves no
# temporary folder behind.
#   failed_start_test.sh WORK_FOLDER
set -u
work=${1:?usage: failed_start_test.sh WORK_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work/tmp" || exit 1
if TMPDIR="$work/tmp" "$here/start_server.sh" "$work/state" --no-such-server-option; then
    echo "the start succeeded with an option the server refuses"
    "$here/stop_server.sh" "$work/state"
    exit 1
fi
[ -e "$work/state" ] && { echo "a state file was written"; exit 1; }
left=$(ls -A "$work/tmp")
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
rm -rf "$work"
echo "the failed start cleaned up"
