#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo database when there is
# none, and starts the program on it, under a virtual display when there is
# no display.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
datos="${XDG_DATA_HOME:-$HOME/.local/share}/AsignacionPosiciones"
base="$datos/demo.db"
mkdir -p "$datos"
[ -f "$base" ] || build/app/crea_base_demo "$base"
parametros="@Server=(sqlite);@DbName=$base;@Usuario=ana;@Password=;@DEPOSITO=1;"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/AsignacionPosiciones "$parametros"
else
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/app/AsignacionPosiciones "$parametros"
fi
