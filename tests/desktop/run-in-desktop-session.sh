#!/usr/bin/env bash
# Runs a command inside a throwaway desktop session: an X server (Xvfb), a D-Bus session bus
# and the accessibility bus, as a user's desktop would have them.
set -euo pipefail
# The server takes the first free display and writes its number once it accepts clients.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" &
xvfb=$!
# Waited for, so that its cleanup cannot remove the socket of the next run's server.
trap '{ kill $xvfb && wait $xvfb; } 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.1
done
number=$(head -n 1 "$display_file")
if [ -z "$number" ]; then
    echo "run-in-desktop-session: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=:$number
export QT_QPA_PLATFORM=xcb
# Qt only exposes its widgets when it is told an assistive technology is listening.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    sleep 0.5
    "$@"
    status=$?
    kill $launcher 2>/dev/null || true
    exit $status' session "$@"
