#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with. Quick when all are present.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libgl-dev zlib1g-dev
  # lupdate and lrelease with their CMake package; Qt's own translations (its dialogs' buttons)
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libcli11-dev nlohmann-json3-dev libboost-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth openbox xdotool x11-utils
  # checks of the installed tree, and dpkg-shlibdeps for `cpack -G DEB`
  desktop-file-utils appstream shared-mime-info dpkg-dev man-db
  # the operator's guide, from Markdown to HTML
  cmark-gfm
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
