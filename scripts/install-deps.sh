#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tesmora need.
# Only what is missing is installed; on a machine that has everything this is quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libcups2-dev cups-daemon
  libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  fonts-dejavu-core fonts-liberation2
  xvfb xauth x11-utils
  locales
)

# The recorder list sorts by the user's locale; its tests need two real ones.
generate_locales() {
  local wanted=(en_US.UTF-8 fr_FR.UTF-8) missing_locales=()
  for l in "${wanted[@]}"; do
    locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || missing_locales+=("$l")
  done
  [ ${#missing_locales[@]} -eq 0 ] && return 0
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Cannot generate ${missing_locales[*]}: not root" >&2; return 0; }
    as_root=(sudo)
  fi
  for l in "${missing_locales[@]}"; do
    "${as_root[@]}" sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${as_root[@]}" locale-gen
}
# Last, once the packages (locale-gen among them) are in, whichever way the
# script ends.
trap generate_locales EXIT

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then
    as_root=(sudo)
  else
    echo "These packages are missing and this script is not running as root: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
