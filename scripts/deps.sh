#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need. Installs only what
# is missing, so running it again is cheap.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libjpeg62-turbo-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libgif-dev clang libclang-rt-14-dev
    xvfb xdotool imagemagick x11-utils libx11-dev libxtst-dev bc openbox xclip
    dbus at-spi2-core python3-pyatspi orca python3-gi gir1.2-gtk-3.0
    qt6-wayland weston libwayland-dev libcanberra-dev sound-theme-freedesktop
    sway grim jq pulseaudio pulseaudio-utils libcanberra-pulse
    fonts-liberation fonts-dejavu-core
    libopencv-imgproc-dev libopencv-dnn-dev
    python3-opencv python3-pil python3-numpy fonts-dejavu-extra fonts-freefont-ttf
    fonts-noto-core fonts-urw-base35 fonts-crosextra-carlito fonts-crosextra-caladea
    clang-format desktop-file-utils
    dpkg-dev file lintian appstream groff-base man-db
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
