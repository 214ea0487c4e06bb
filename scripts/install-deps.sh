#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with. Quick when all are present.
set -euo pipefail
packages=(
  build-essential cmake pkg-config ccache
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
# A package counts as present when it is installed, also while its triggers (a man-db or font
# cache update) are still pending.
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  case $status in
    installed | triggers-pending | triggers-awaited) ;;
    *) missing+=("$p") ;;
  esac
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# Another installation (a desktop's automatic updates) may hold the package manager's lock:
# apt waits for it rather than failing at once.
lock_wait=${KORVLAND_APT_LOCK_WAIT:-300}
echo "If another installation holds the package manager's lock, this waits up to ${lock_wait} s for it."
apt=(apt-get -o "DPkg::Lock::Timeout=${lock_wait}")
$SUDO "${apt[@]}" update -qq
DEBIAN_FRONTEND=noninteractive $SUDO "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
