#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (idempotent: only what is missing).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev libgl-dev
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libcurl4-openssl-dev libssl-dev libfreetype-dev nlohmann-json3-dev
  fonts-wqy-zenhei xfonts-wqy
  srecord python3 python3-pyftpdlib
  locales libc-l10n
  desktop-file-utils shared-mime-info dpkg-dev fakeroot file
  xvfb xauth xdotool poppler-utils
  libmodbus-dev mbpoll python3-pymodbus socat
  clang libclang-rt-14-dev clang-format
  help2man bash-completion
  lintian appstream libglib2.0-bin
  debootstrap
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
