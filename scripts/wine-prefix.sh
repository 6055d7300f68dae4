#!/usr/bin/env bash
# Creates the WoW64 Wine prefix once, with Wine's own fonts in it (a new
# prefix has none, and then every face falls back to one).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  echo "creating Wine prefix $WINEPREFIX (a few minutes, once)"
  "$WINE64" wineboot -i >"$WINEPREFIX/../wineboot.log" 2>&1 || true
  wineserver -w || true
fi
# Copied every time (quick, nothing is overwritten): fonts-wine may have
# arrived after the prefix was made.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ]; then
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
fi
