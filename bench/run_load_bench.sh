#!/usr/bin/env bash
# Opens a loopback load with halvane-loadgen, runs bench_refresh (or another benchmark) on it,
# and releases the load.
#
#   run_load_bench.sh [--tcp N] [--udp M] [--procs P] [--hold S] [--bin DIR] [--bench NAME]
#                     [-- BENCH_ARGS...]
#
# N connections (default 10000), M UDP sockets (default 1000), P worker processes (default: as
# few as the open-file limit allows), held for at most S seconds (default 600, the most the
# generator allows; the load is released as soon as the benchmark ends). DIR holds
# halvane-loadgen, bench_refresh and halvane-cli (default: this script's directory when they
# are there, else build/bin). NAME is the benchmark run on the load (default bench_refresh; e.g.
# bench_window). Arguments after -- go to it, e.g. -- --runs 3.
set -euo pipefail

tcp=10000
udp=1000
procs=""
hold=600
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bin=""
bench=bench_refresh
bench_args=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --tcp) tcp="$2"; shift 2 ;;
    --udp) udp="$2"; shift 2 ;;
    --procs) procs="$2"; shift 2 ;;
    --hold) hold="$2"; shift 2 ;;
    --bin) bin="$2"; shift 2 ;;
    --bench) bench="$2"; shift 2 ;;
    --) shift; bench_args=("$@"); break ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    *) echo "run_load_bench.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
if [[ -z "$bin" ]]; then
  if [[ -x "$here/halvane-loadgen" ]]; then bin="$here"; else bin="$here/../build/bin"; fi
fi
for program in halvane-loadgen "$bench"; do
  [[ -x "$bin/$program" ]] || { echo "run_load_bench.sh: no $bin/$program (build first)" >&2; exit 2; }
done

load_args=(--tcp "$tcp" --udp "$udp" --hold "$hold")
[[ -n "$procs" ]] && load_args+=(--procs "$procs")

# The generator holds the load until its standard input closes, so it goes away with this
# script however the script ends.
coproc LOAD { exec "$bin/halvane-loadgen" "${load_args[@]}"; }
load_pid=$LOAD_PID
load_in=${LOAD[1]}
load_out=${LOAD[0]}
stop_load() {
  exec {load_in}>&- 2>/dev/null || true
  kill -TERM "$load_pid" 2>/dev/null || true
  wait "$load_pid" 2>/dev/null || true
}
trap stop_load EXIT

started=$SECONDS
if ! read -r -t 600 line <&"$load_out" || [[ "$line" != "ready" ]]; then
  echo "run_load_bench.sh: the load generator did not get ready" >&2
  exit 1
fi
echo "load of $tcp connections and $udp UDP sockets ready after $((SECONDS - started)) s"

status=0
if [[ "$bench" == bench_refresh ]]; then
  "$bin/bench_refresh" --cli "$bin/halvane-cli" "${bench_args[@]}" || status=$?
else
  "$bin/$bench" "${bench_args[@]}" || status=$?
fi
exit "$status"
