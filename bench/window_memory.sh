#!/usr/bin/env bash
# The window's memory on the connections open right now: starts the real window (Qt offscreen)
# with automatic refresh on, waits for the first fill to settle, samples its resident set once
# a second and prints the resident set after the fill, its range and the peak. Run it on a load:
#
#   run_load_bench.sh --tcp 100000 --udp 10000 --bench window_memory.sh -- [--seconds S]
#
#   window_memory.sh [--seconds S] [--bin DIR]
#
# S seconds of sampling after the first fill (default 45, i.e. four refreshes of the 10 s
# timer). DIR holds halvane (default: this script's directory when it is there, else build/bin).
set -euo pipefail

seconds=45
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bin=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --bin) bin="$2"; shift 2 ;;
    -h|--help) sed -n '2,11p' "$0"; exit 0 ;;
    *) echo "window_memory.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
if [[ -z "$bin" ]]; then
  if [[ -x "$here/halvane" ]]; then bin="$here"; else bin="$here/../build/bin"; fi
fi
[[ -x "$bin/halvane" ]] || { echo "window_memory.sh: no $bin/halvane (build first)" >&2; exit 2; }

# A private copy of the window with its own settings file: automatic refresh on, loopback shown.
work="$(mktemp -d)"
cp "$bin/halvane" "$work/"
[[ -f "$bin/NetrovaHelp.html" ]] && cp "$bin/NetrovaHelp.html" "$work/"
printf '[Set]\r\nShowLocal=1\r\nAutoRefresh=1\r\nAlwaysTop=0\r\nShowInfo=0\r\n' >"$work/Netrova.ini"

window_pid=""
stop_window() {
  [[ -n "$window_pid" ]] && kill -TERM "$window_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop_window EXIT

kb() { awk -v key="$1:" '$1 == key { print $2 }' "/proc/$window_pid/status" 2>/dev/null || echo 0; }

QT_QPA_PLATFORM=offscreen "$work/halvane" >/dev/null 2>&1 &
window_pid=$!
started=$SECONDS
# The first fill is done once the resident set stops growing for two samples in a row.
last=0
steady=0
while ((steady < 2 && SECONDS - started < 120)); do
  sleep 1
  now=$(kb VmRSS)
  if ((now > 0 && now - last < 1024)); then steady=$((steady + 1)); else steady=0; fi
  last=$now
done
echo "first fill settled after $((SECONDS - started)) s: $((last / 1024)) MB resident"

max=0
min=0
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
  sleep 1
  now=$(kb VmRSS)
  ((now > max)) && max=$now
  ((min == 0 || now < min)) && min=$now
done
peak=$(kb VmHWM)
echo "over $seconds s of automatic refreshes: resident $((min / 1024))-$((max / 1024)) MB," \
  "peak (VmHWM) $((peak / 1024)) MB"
