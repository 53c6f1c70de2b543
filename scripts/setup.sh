#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, only when something is missing.
# With --check it only tells, by its exit status, whether everything is there. With --native it
# looks only at what the native unit tests need (./skyvane.sh unit): no mingw, no Wine.
set -euo pipefail
packages=(g++ cmake ninja-build g++-mingw-w64-i686 wine wine32:i386 xvfb x11-utils imagemagick
          geographiclib-tools nlohmann-json3-dev googletest libgtest-dev zip unzip nsis
          clang libclang-rt-14-dev)
check=0
for arg in "$@"; do
    case "$arg" in
        --check) check=1 ;;
        --native) packages=(g++ cmake ninja-build googletest libgtest-dev) ;;
        *) echo "usage: scripts/setup.sh [--check] [--native]" >&2; exit 2 ;;
    esac
done
need=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ "$check" = 1 ]; then
    [ ${#need[@]} -eq 0 ]
    exit
fi
if [ ${#need[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    echo "setup: installing ${need[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
