#!/usr/bin/env bash
# The test server starts where the machine's host name does not resolve: in private mount and
# host-name namespaces, /etc/hosts is hidden and the host name is one nothing knows. Skipped (77)
# where such namespaces cannot be made.
#   start_without_hosts_test.sh STATE_FILE
set -u
state=${1:?usage: start_without_hosts_test.sh STATE_FILE}
here=$(cd "$(dirname "$0")" && pwd)
unshare --mount --uts true 2>/dev/null || { echo "no private namespaces here: skipped"; exit 77; }
exec unshare --mount --uts bash -c '
    set -u
    mount --bind /dev/null /etc/hosts || exit 77
    hostname "unresolvable-$$" || exit 77
    if getent hosts "$(hostname)" >/dev/null; then echo "the host name still resolves"; exit 1; fi
    "$1/start_server.sh" "$2" || exit 1
    port=$(sed -n "s/^PORT=//p" "$2")
    mariadb --no-defaults -h 127.0.0.1 -P "$port" -u root -e "select 1" >/dev/null
    answered=$?
    "$1/stop_server.sh" "$2"
    exit $answered
' bash "$here" "$state"
