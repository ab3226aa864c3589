#!/usr/bin/env bash
# Installs the Debian packages ReelBox needs. Idempotent; runs as root without prompts.
#   scripts/install-deps.sh          build and run the player
#   scripts/install-deps.sh --test   also what the tests need
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config ccache qt6-base-dev libmpv-dev libasound2-dev libx11-dev
          libcdio-dev libiso9660-dev libpulse-dev fonts-ipafont-gothic
          libavformat-dev libavcodec-dev libswscale-dev  # steps back decode beside mpv
          librsvg2-bin  # rsvg-convert: the icon's sizes, drawn from the SVG at build time
          qt6-translations-l10n)  # Qt's dialogs in Japanese
if [[ "${1:-}" == "--test" ]]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev ffmpeg xvfb x11-utils x11-xserver-utils
             xdotool imagemagick dbus
             vcdimager  # authors the test Video-CD image
             mpv      # the command-line player, only for bench/play_cpu.sh
             openbox  # a window manager for the window layer's Xvfb test
             pulseaudio pulseaudio-utils libasound2-plugins  # a sound server behind ALSA's default
             trayer   # a tray host under Xvfb
             xfwm4 xfconf weston xwayland  # the desktop matrix's window managers
             pipewire pipewire-pulse wireplumber  # its second sound server (never pipewire-alsa)
             desktop-file-utils  # checks the installed .desktop file
             playerctl  # a media-controls client nobody here wrote
             wmctrl  # lists the windows as a taskbar names them
             at-spi2-core python3-pyatspi  # the accessible tree, as a screen reader sees it
             appstream lintian  # checks the software-centre entry and the package
             xdg-utils  # the package's dependencies, installed for its test
             universal-ctags)  # finds the internal names two files of a library share
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
