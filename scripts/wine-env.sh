# Which Wine loader runs the program. The product is a 32-bit program, but some kernels (this
# project's CI machines among them) cannot execute 32-bit Linux binaries, and Wine 8's 32-bit
# loader is one; there the 64-bit build is what runs under Wine. LINTORA_WINE_LOADER overrides.
if [ -z "${LINTORA_WINE_LOADER:-}" ]; then
  if [ "${WINEARCH:-win64}" = win32 ]; then
    LINTORA_WINE_LOADER=/usr/lib/wine/wine
  else
    LINTORA_WINE_LOADER=/usr/lib/wine/wine64
  fi
fi
LINTORA_WINESERVER="/usr/lib/wine/wineserver"
export LINTORA_WINE_LOADER LINTORA_WINESERVER
