#!/usr/bin/env bash
# The Windows stage: cross-builds Halvane.exe, halvane-cli.exe and every test program with
# MinGW-w64 and runs the tests under Wine in a private network namespace (only the loopback
# device, up), so that the host's sockets stay out of Wine's tables. Installs what is missing
# with apt-get (sudo when not root), builds Debian's GoogleTest source with the same toolchain,
# and reuses build-win/ (the build, GoogleTest and the Wine prefix) from run to run.
# Exits non-zero when anything fails; ctest prints the summary.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
root="$here/build-win"
build_dir="$root/halvane"
gtest_dir="$root/googletest"
jobs=2

packages=(
  cmake ninja-build googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev
  wine wine64
  xvfb fonts-wqy-microhei
  iproute2 util-linux fp-utils
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]})); then
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}"
  fi
}

# GoogleTest for Windows from Debian's source package, built once.
build_googletest() {
  if [ -f "$gtest_dir/lib/cmake/GTest/GTestConfig.cmake" ]; then
    return
  fi
  echo "Building GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$root/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_dir" >/dev/null
  cmake --build "$root/googletest-build" -j"$jobs" >/dev/null
  cmake --install "$root/googletest-build" >/dev/null
}

# The test programs run through the emulator: ctest starts each one as `wine PROGRAM.exe`.
# -O2 as on Linux (GCC 12's -O3 warns falsely inside the standard library's string copies).
build_halvane() {
  cmake -S "$here" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_PREFIX_PATH="$gtest_dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DHALVANE_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build_dir" -j"$jobs"
}

export WINEPREFIX="$root/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko download prompts: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The prefix, made once: Chinese glyphs through font links to the installed CJK fonts, and every
# window inside one virtual desktop, which Wine draws with frames and captions.
create_wine_prefix() {
  if [ -f "$WINEPREFIX/.halvane-ready" ]; then
    return
  fi
  echo "Creating the Wine prefix"
  timeout 300 wineboot -i >/dev/null 2>&1 || true
  timeout 120 wineserver -w || true
  local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  local fonts='wqy-microhei.ttc,WenQuanYi Micro Hei\0DroidSansFallbackFull.ttf,Droid Sans Fallback'
  for face in "Arial" "MS Sans Serif" "Microsoft Sans Serif" "Tahoma" "Segoe UI"; do
    wine reg add "$links" /v "$face" /t REG_MULTI_SZ /d "$fonts" /f >/dev/null 2>&1
  done
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x640 /f >/dev/null 2>&1
  timeout 120 wineserver -w || true
  touch "$WINEPREFIX/.halvane-ready"
}

# Inside the namespace: the loopback device, a display of its own, one Wine server for all the
# test programs, then ctest (each program under Wine, at most 300 s each).
run_tests() {
  local screenshots="$root/screenshots"
  mkdir -p "$screenshots"
  # As Wine names it: drive Z: is the root of the file system.
  export HALVANE_SCREENSHOT_DIR="Z:$screenshots"
  # A server of this prefix left from an interrupted run would serve the tests from outside the
  # namespace.
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  local unshare=(unshare --net)
  if [ "$(id -u)" -ne 0 ]; then unshare+=(--map-root-user); fi
  "${unshare[@]}" bash -s "$build_dir" <<'EOF'
set -euo pipefail
build_dir="$1"
ip link set lo up
display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
rm -f "$display_file"
cleanup() { timeout 30 wineserver -k >/dev/null 2>&1 || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
wineserver -p
# Wine's own background processes (the service manager, the network driver host, the virtual
# desktop) are started here with their output going nowhere: started by a test program they
# would inherit its output pipe, and ctest would wait for them until the time-out.
timeout 120 wine wineboot >/dev/null 2>&1 || true
wine explorer /desktop=Default,1024x640 >/dev/null 2>&1 &
timeout 120 wine "$build_dir/bin/halvane-cli.exe" --hide-local >/dev/null 2>&1 || true
status=0
ctest --test-dir "$build_dir" --output-on-failure -j2 --timeout 300 || status=$?
exit "$status"
EOF
  if command -v convert >/dev/null; then
    for picture in halvane-window halvane-procinfo; do
      if [ -f "$screenshots/$picture.bmp" ]; then
        convert "$screenshots/$picture.bmp" "$screenshots/$picture.png" || true
      fi
    done
  fi
}

install_missing
mkdir -p "$root"
build_googletest
build_halvane
create_wine_prefix
run_tests
