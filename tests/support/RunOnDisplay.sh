#!/usr/bin/env bash
# Runs a command on an X display of its own, with no window manager: Xvfb picks a free display
# number itself, so tests running side by side never share one.
set -u
numberFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$numberFile"' EXIT
for _ in $(seq 200); do
    [ -s "$numberFile" ] && break
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$numberFile" ] || { echo "Xvfb gave no display" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$numberFile")" "$@"
