#!/usr/bin/env bash
# Installs the Debian packages Velmora needs to build, run and test, when missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libstorm-dev libpng-dev libgif-dev libjpeg62-turbo-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev clang-14 libclang-rt-14-dev
          dpkg-dev file lintian desktop-file-utils appstream shared-mime-info
          qt6-l10n-tools qt6-tools-dev qt6-translations-l10n fonts-noto-cjk)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
