#!/usr/bin/env bash
# Installs, from Debian's archive, whatever of the build, run and test needs is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libwxgtk3.2-dev libwebkit2gtk-4.1-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format-14 clang-tidy-14
  bubblewrap xdg-dbus-proxy
  locales librsvg2-bin fonts-wqy-microhei
  xvfb xauth x11-utils xdotool imagemagick openssl
  dbus-daemon at-spi2-core python3-pyatspi
  dpkg-dev file lintian desktop-file-utils appstream
  xdg-utils shared-mime-info libfile-mimeinfo-perl
  # The web's common video and audio formats; the tests make such files with the tools
  # and the H.264 encoder of the "ugly" set.
  gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
  gstreamer1.0-tools gstreamer1.0-plugins-ugly
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# An 8-bit locale, for the tests of the code page conversion outside UTF-8.
locale -a 2>/dev/null | grep -qix 'en_US.iso88591' ||
  localedef -i en_US -f ISO-8859-1 en_US.ISO-8859-1

# The engine's and the toolkit's own texts (context menu, dialog buttons) come in Chinese
# through this locale's messages.
locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' ||
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
