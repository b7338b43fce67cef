#!/usr/bin/env bash
# The real program on a real X server and this machine's real sockets: the window must appear
# with its caption, already filled, and keep running until it is told to stop.
set -euo pipefail
halvane="$1"
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 1; }
work="$(mktemp -d)"
xvfb_pid=""
halvane_pid=""
cleanup() {
  [ -n "$halvane_pid" ] && kill "$halvane_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to the descriptor.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

"$halvane" >"$work/halvane.log" 2>&1 &
halvane_pid=$!
for _ in $(seq 300); do
  if xwininfo -root -tree 2>/dev/null | grep -q 'Halvane V2.5'; then
    sleep 1
    kill -0 "$halvane_pid" || { echo "the program ended on its own"; cat "$work/halvane.log"; exit 1; }
    echo "window shown: $(xwininfo -root -tree | grep -o '"Halvane V2.5[^"]*"' | head -n1)"
    exit 0
  fi
  kill -0 "$halvane_pid" 2>/dev/null || { echo "the program ended before its window showed"; cat "$work/halvane.log"; exit 1; }
  sleep 0.1
done
echo "no window within 30 s"
cat "$work/halvane.log"
exit 1
