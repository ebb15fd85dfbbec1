#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Safe to run again:
# it only asks apt for packages that are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++
  qt6-base-dev libgl-dev
  libuemf-dev # the picture tools read the records of WMF and EMF pictures with it
  libgtest-dev libbenchmark-dev
  fonts-wqy-microhei
  fonts-symbola # Greek letters, mathematical signs and dingbats: metafile text in symbol fonts (Symbol, Wingdings, MT Extra)
  qt6-translations-l10n # Qt's own dialogs (file dialogs, their questions, buttons) in Chinese
  poppler-utils # the printer test renders its page to check where the picture landed
)
if [ "${WITH_SCREEN:-0}" = 1 ]; then
  packages+=(xvfb xauth imagemagick)
fi
# The fuzz targets (scripts/fuzz.sh) need clang and its libFuzzer runtime.
if [ "${WITH_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
