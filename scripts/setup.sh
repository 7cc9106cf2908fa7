#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test.
# Idempotent: only missing packages are installed, and the package lists are
# refreshed once, only when something is missing.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git clang libclang-rt-14-dev
  # Qt 6.4 and friends
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-httpserver-dev qt6-websockets-dev qt6-pdf-dev qt6-multimedia-dev qt6-svg-dev
  qt6-qpa-plugins qt6-image-formats-plugins libqt6sql6-sqlite libqt6svg6 libgl-dev libvulkan-dev libxkbcommon-dev
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
  qml6-module-qtquick-templates qml6-module-qtquick-window qml6-module-qtqml-workerscript
  qml6-module-qtquick-pdf qml6-module-qtquick-dialogs qml6-module-qttest
  qml6-module-qtquick-shapes qml6-module-qt-labs-platform
  # the QtQml type descriptions qmllint checks the screens against
  qml6-module-qtqml qml6-module-qtqml-models
  # libraries
  qcoro-qt6-dev libsimdjson-dev qtkeychain-qt6-dev libicu-dev
  libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us
  libbenchmark-dev
  # test and review tools
  xvfb xauth dbus dbus-x11 gnome-keyring libsecret-tools espeak-ng sox
  poppler-utils imagemagick curl clang-format
  # the sale driven by accessible names over the accessibility bus
  at-spi2-core python3-gi gir1.2-atspi-2.0
  # opening the system browser and registering the sign-in callback scheme
  xdg-utils
  # the app's typeface (falls back to the default sans without it)
  fonts-inter
)

# Further packages a caller needs (scripts/package.sh: the packaging tools).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "setup: installing ${#missing[@]} missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
