#!/usr/bin/env bash
# Installs the Debian packages the lesson and its tests need; does nothing when all are present.
set -euo pipefail

packages=(
  qt6-base-dev qt6-qpa-plugins cmake g++ make ccache valgrind
  fonts-liberation fonts-dejavu-core
  xvfb xdotool x11-utils x11-apps imagemagick librsvg2-bin poppler-utils python3
  libx11-dev
  python3-pyatspi at-spi2-core dbus
  desktop-file-utils appstream dpkg-dev file
  qt6-wayland weston
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  qt6-svg-dev
  locales
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
# A fresh machine has no package lists yet: fetch them once and try again.
if ! "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; then
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
