#!/usr/bin/env bash
# Installs what Zuvrack needs on Debian 12 / Ubuntu (skipping what is there) and builds it.
# Sourced by scripts/run and scripts/test; BUILD_DIR and CMAKE_EXTRA may be set by the caller.
set -euo pipefail

ZUVRACK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ZUVRACK_ROOT/build}

zuvrack_install() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Installs those of the packages that this release of the system offers; the rest are skipped
# with a line (the fuzzers and benchmarks need them, the program and its tests do not).
zuvrack_install_optional() {
    local missing=() offered=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    for p in "${missing[@]}"; do
        if apt-cache show "$p" >/dev/null 2>&1; then
            offered+=("$p")
        else
            echo "Skipping $p: this system does not offer it."
        fi
    done
    [ ${#offered[@]} -eq 0 ] || zuvrack_install "${offered[@]}"
}

# What building and running the program needs.
ZUVRACK_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev
                  qt6-qpa-plugins fonts-dejavu-core qt6-translations-l10n)

zuvrack_build() {
    cmake -S "$ZUVRACK_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} ${CMAKE_EXTRA:-}
    cmake --build "$BUILD_DIR" -j"$(nproc)"
}
