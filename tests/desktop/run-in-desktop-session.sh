#!/usr/bin/env bash
# Runs a command inside a throwaway desktop session: an X server (Xvfb), a D-Bus session bus
# and the accessibility bus, as a user's desktop would have them.
set -euo pipefail
display=:$((100 + $$ % 800))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done
export DISPLAY=$display
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
