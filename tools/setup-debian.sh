#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl-dev fonts-dejavu-core
          libgdal-dev libcurl4-openssl-dev mkgmap default-jre-headless)
if [ "${1:-}" = "--tests" ]; then
  # clang (with its sanitizer and fuzzer runtimes, only recommended by the package) builds the
  # libFuzzer targets that CI runs over their seeds (.ci/run).
  packages+=(gdal-bin clang libclang-rt-14-dev parallel python3)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
