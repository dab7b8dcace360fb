# The locales Wine runs in, compiled into the build folder.

PELMORA_LOCALES=$PELMORA_WINE_ROOT/locales
export LOCPATH=$PELMORA_LOCALES

# Code page 936 needs a real zh_CN locale, or Wine cannot see Chinese file
# names; en_US gives code page 1252, a Windows whose ANSI page is not 936.
pelmora_locales() {
  mkdir -p "$PELMORA_LOCALES"
  [ -d "$PELMORA_LOCALES/zh_CN.UTF-8" ] || localedef -i zh_CN -f UTF-8 "$PELMORA_LOCALES/zh_CN.UTF-8" 2>/dev/null || true
  [ -d "$PELMORA_LOCALES/en_US.UTF-8" ] || localedef -i en_US -f UTF-8 "$PELMORA_LOCALES/en_US.UTF-8" 2>/dev/null || true
}
