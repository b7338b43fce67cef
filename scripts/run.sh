#!/usr/bin/env bash
# Builds Halvane and starts the window; where no display is available the program says so in
# one line and prints the list through the console companion instead. Arguments go to the program.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$here/build"
"$here/scripts/setup.sh" "$build_dir"
cmake --build "$build_dir" -j"$(nproc)" --target halvane halvane-cli
# As root, give the built programs the capabilities to examine and end every user's processes,
# so that later runs by other users see them too.
if [ "$(id -u)" -eq 0 ] && command -v setcap >/dev/null; then
  setcap cap_sys_ptrace,cap_dac_read_search,cap_kill+p "$build_dir/bin/halvane" || true
  setcap cap_sys_ptrace,cap_dac_read_search,cap_kill+p "$build_dir/bin/halvane-cli" || true
fi
exec "$build_dir/bin/halvane" "$@"
