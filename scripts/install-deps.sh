#!/usr/bin/env bash
# Installs the Debian 12 packages connsheet builds with. Safe to run again: it only calls apt-get
# when something is missing.
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
          libcli11-dev ccache clang libclang-rt-14-dev clang-format
          libcairo2-dev libpango1.0-dev fonts-liberation fonts-dejavu-core
          help2man bash-completion strace hyperfine python3 rapidjson-dev
          libxlsxwriter-dev libzip-dev libpugixml-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
