#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing, and configures the
# build directory. Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth x11-utils fonts-wqy-microhei
  dbus dbus-daemon libcap2-bin iproute2
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir="$1"
shift
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S "$here" -B "$build_dir" -G Ninja "$@"
fi
