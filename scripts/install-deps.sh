#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need. Safe to run again:
# when everything is present it does nothing.
#   --package  also the tools that build and check the .deb (dpkg-shlibdeps, desktop-file-validate,
#              systemd-analyze, appstreamcli, xdg-mime, gio)
#   --fuzz     also clang and its libFuzzer runtime, for the fuzz targets (see fuzz/)
#   --bench    also the programs the benchmarks compare against (fetchmail)
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang-format
  # core libraries
  libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev uuid-dev
  # mail over TLS (the socket layer; the tests make their certificates with it too)
  libssl-dev
  # the programs' windows
  qt6-base-dev libgl1-mesa-dev
  # real peers the tests talk to on loopback
  dovecot-pop3d python3-aiosmtpd python3
)

if [ "${1:-}" = "--package" ]; then
  packages+=(dpkg-dev file desktop-file-utils systemd appstream shared-mime-info)
  # the desktop's own answers to "what is this file, and what opens it" (desktop_file_type test)
  packages+=(xdg-utils libglib2.0-bin)
fi
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
if [ "${1:-}" = "--bench" ]; then
  packages+=(fetchmail)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
