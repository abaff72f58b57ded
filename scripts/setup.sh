#!/usr/bin/env bash
# Installs the Debian packages VIRodo needs to build, run and test, when they are missing,
# then configures the build folder. Usage: scripts/setup.sh BUILD_DIR [cmake options...]
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libqt6serialport6 qt6-qpa-plugins
  libjpeg-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    # A package may be virtual or named differently on this release: ask apt whether it exists.
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  # Packages that this Debian release does not know (for example qt6-qpa-plugins before
  # bookworm) are skipped; the rest are installed.
  installable=()
  for p in "${missing[@]}"; do
    if apt-cache show "$p" >/dev/null 2>&1; then installable+=("$p"); else echo "  (skipping unknown package $p)"; fi
  done
  if ((${#installable[@]})); then $SUDO apt-get install -y -qq --no-install-recommends "${installable[@]}"; fi
fi

build_dir="${1:-build}"
shift || true
cmake -S "$(dirname "$0")/.." -B "$build_dir" -G Ninja "$@" >/dev/null
