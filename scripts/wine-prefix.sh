#!/usr/bin/env bash
# Creates and configures a Wine prefix once: wine-prefix.sh PREFIX
# Silent (no Mono or Gecko prompts), fonts mapped, no window-manager delays,
# a fixed Windows version. Re-applied only when the configuration changes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

prefix=$1
reg_in=$here/wine/prefix.reg.in
stamp=$prefix/.lumatra-$(cat "$reg_in" "$0" | md5sum | cut -c1-12)
[[ -f $stamp ]] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $prefix/system.reg ]]; then
  lm_say "creating the Wine prefix $prefix"
  mkdir -p "$prefix"
  wineboot -i </dev/null >/dev/null 2>&1 || true
fi
# Wine's own fonts (Tahoma, Marlett, MS Sans Serif, ...) from Debian's
# fonts-wine are not on this Wine's font path: put them into the prefix.
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -f /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
# regedit wants the file in UTF-16 for the Chinese face names.
reg=$(mktemp --suffix=.reg)
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg_in"; } > "$reg"
wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
wineserver -w
rm -f "$reg" "$prefix"/.lumatra-*
touch "$stamp"
