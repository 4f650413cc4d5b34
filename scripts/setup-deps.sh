#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Run as root (or with sudo available) on Debian 12.
set -euo pipefail
# strace injects the faults (kills, full disks, delays) of the command-line tests.
pkgs=(cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev libisal-dev
      python3 python3-xlrd python3-openpyxl python3-pandas strace)
[ "${1:-}" = "--with-extras" ] && pkgs+=(clang libclang-rt-14-dev libbenchmark-dev xvfb xauth)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
