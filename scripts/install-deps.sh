#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only those that are missing, without recommended extras.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-odbc libsqlite3-dev sqlite3
  unixodbc unixodbc-dev odbcinst tdsodbc libsqliteodbc
  libgtest-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core fontconfig poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
