#!/usr/bin/env bash
# Installs, as root on Debian 12, every package the build, the player and the
# tests need. Safe to run again: only packages that are missing are fetched.
set -euo pipefail

PACKAGES=(
  g++ cmake make git clang clang-format libclang-rt-14-dev
  libsdl2-dev libegl-dev libgl-dev libopengl-dev libgl1-mesa-dri libegl-mesa0
  libopenal-dev libalut-dev libmpg123-dev libcurl4-openssl-dev openssl ca-certificates
  android-libetc1-dev libstb-dev libpng-dev libjpeg62-turbo-dev libgif-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-wqy-microhei
  libffi-dev libbox2d-dev libjson-c-dev libimgui-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev pkg-config
  libx11-dev libxtst-dev libxrandr-dev
  xvfb xauth x11-apps x11-utils x11-xserver-utils xdotool xclip imagemagick tigervnc-standalone-server openbox wmctrl
  lame sox libsox-fmt-mp3 libsixel-examples ccache lua5.4 luajit strace bindfs fuse3
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages (run as root to install): ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
