#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Skips apt entirely when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-qpa-plugins
    libsqlite3-dev sqlite3 libboost-regex-dev libcurl4-openssl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wqy-microhei xvfb xauth
)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
