#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Brisktune need.
# Skips what is installed already; uses sudo when not run as root.
#   scripts/install-deps.sh          packages to build and run
#   scripts/install-deps.sh --tests  also the packages the tests need
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libmp3lame-dev faad
          fonts-dejavu-core)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(libgtest-dev libmpg123-dev desktop-file-utils)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q || true
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
