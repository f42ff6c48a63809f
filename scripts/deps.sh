#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's archive only.
# Idempotent: when everything is present it returns at once without touching apt.
set -euo pipefail

need_pkgs=(g++-mingw-w64-i686 wine wine32:i386 xvfb xauth xdotool imagemagick
           fonts-arphic-uming fonts-wine cmake ninja-build clang lld libclang-rt-14-dev
           libbenchmark-dev googletest ccache locales python3 nsis zip unzip)

missing=()
for p in "${need_pkgs[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "deps: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi

# zh_CN.UTF-8 makes Wine's ANSI code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    echo "deps: generating zh_CN.UTF-8"
    if [ -f /etc/locale.gen ] && grep -q '^# *zh_CN.UTF-8' /etc/locale.gen; then
        $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        $SUDO locale-gen >/dev/null
    else
        $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
    fi
fi
