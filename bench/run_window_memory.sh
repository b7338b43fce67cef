#!/usr/bin/env bash
# The window's memory under a loopback load: opens the load with halvane-loadgen, starts the
# real window (Qt offscreen) with automatic refresh on, samples its resident set once a second
# and prints, per sample, the rows shown and the resident set; then the summary.
#
#   run_window_memory.sh [--tcp N] [--udp M] [--seconds S] [--bin DIR]
#
# N connections (default 100000), M UDP sockets (default 10000), S seconds of sampling after
# the first fill (default 45, i.e. four refreshes of the 10 s timer). DIR holds halvane and
# halvane-loadgen (default: this script's directory when they are there, else build/bin).
set -euo pipefail

tcp=100000
udp=10000
seconds=45
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bin=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --tcp) tcp="$2"; shift 2 ;;
    --udp) udp="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --bin) bin="$2"; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "run_window_memory.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
if [[ -z "$bin" ]]; then
  if [[ -x "$here/halvane-loadgen" ]]; then bin="$here"; else bin="$here/../build/bin"; fi
fi
for program in halvane-loadgen halvane; do
  [[ -x "$bin/$program" ]] || { echo "run_window_memory.sh: no $bin/$program (build first)" >&2; exit 2; }
done

# A private copy of the window with its own settings file: automatic refresh on, loopback shown.
work="$(mktemp -d)"
cp "$bin/halvane" "$work/"
[[ -f "$bin/NetrovaHelp.html" ]] && cp "$bin/NetrovaHelp.html" "$work/"
printf '[Set]\r\nShowLocal=1\r\nAutoRefresh=1\r\nAlwaysTop=0\r\nShowInfo=0\r\n' >"$work/Netrova.ini"

window_pid=""
coproc LOAD { exec "$bin/halvane-loadgen" --tcp "$tcp" --udp "$udp" --hold 600; }
load_pid=$LOAD_PID
load_in=${LOAD[1]}
load_out=${LOAD[0]}
stop_all() {
  [[ -n "$window_pid" ]] && kill -TERM "$window_pid" 2>/dev/null || true
  exec {load_in}>&- 2>/dev/null || true
  kill -TERM "$load_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop_all EXIT

if ! read -r -t 600 line <&"$load_out" || [[ "$line" != "ready" ]]; then
  echo "run_window_memory.sh: the load generator did not get ready" >&2
  exit 1
fi
echo "load of $tcp connections and $udp UDP sockets ready"

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
