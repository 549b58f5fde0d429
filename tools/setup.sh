#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Idempotent and quick
# when everything is present already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libgtest-dev googletest libbenchmark-dev
  juce-modules-source-data
  g++-mingw-w64-x86-64-posix wine64 wine
  libstb-dev fonts-liberation libx11-dev libxext-dev libxtst-dev libcairo2-dev
  xvfb xdotool x11-utils
  sox
  clang libclang-rt-14-dev
  gcovr
  ardour
  lv2-dev liblilv-dev lilv-utils jalv sordi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
