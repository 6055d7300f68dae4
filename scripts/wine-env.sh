# Sourced: where the test Wine prefix lives and how Wine is called.
export WINEPREFIX=${QUAVERLIN_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/quaverlin/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
