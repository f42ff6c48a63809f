# Sourced by the scripts that run Windows programs: the project's private Wine
# prefix (never ~/.wine), created on first use in the build tree.
#   LT_BUILD   build root (default: <repo>/build)
# After sourcing: WINEPREFIX, WINEARCH, WINEDEBUG, LC_ALL are exported and
# lt_wine_prefix_init creates and configures the prefix when it is missing.

LT_ROOT=${LT_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
LT_BUILD=${LT_BUILD:-$LT_ROOT/build}
. "$LT_ROOT/scripts/desktop-env.sh"
export WINEPREFIX=${LT_WINEPREFIX:-$LT_BUILD/wineprefix}
export WINEARCH=win32
export WINEDEBUG=-all
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
# No Mono or Gecko installer prompts while the prefix is created.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;winemenubuilder.exe=}"

lt_wine_prefix_init() {
    local stamp="$WINEPREFIX/.lantuo-prefix-v3"
    # Wine's own TrueType fonts: Debian's Wine does not look in the folder
    # fonts-wine fills (/usr/share/wine/fonts), only in the prefix's Fonts
    # folder. Without Marlett there, the platform's glyphs (caption buttons,
    # the system menu's item marks) are drawn as the letters "0 1 2 r" in
    # whatever font replaces it. A prefix made before fonts-wine was installed
    # got none and was never looked at again: the copy is checked on every
    # call, not only when the prefix is made.
    local wfonts=/usr/share/wine/fonts fonts="$WINEPREFIX/drive_c/windows/Fonts" f
    if [ -f "$stamp" ]; then
        [ ! -e "$wfonts/marlett.ttf" ] || [ -e "$fonts/marlett.ttf" ] && return 0
    else
        mkdir -p "$WINEPREFIX"
        echo "wine-env: creating the Wine prefix in $WINEPREFIX" >&2
        WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=" wineboot -i >/dev/null 2>&1 || true
        local reg="$WINEPREFIX/lantuo-settings.reg"
        # regedit wants UTF-16 for the Chinese font name.
        printf '%s\r\n' \
            'Windows Registry Editor Version 5.00' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1280x1024"' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
            '"宋体"="AR PL UMing CN"' '"SimSun"="AR PL UMing CN"' '"NSimSun"="AR PL UMing CN"' '' \
            '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
            '[HKEY_CURRENT_USER\Software\Wine\DllOverrides]' '"winemenubuilder.exe"=""' '' \
            | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
        wine regedit /S "$reg" >/dev/null 2>&1
        # Processes started while the prefix was created (the desktop among them)
        # run with the old settings: end them, so the next start reads the new.
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ ! -e "$wfonts/marlett.ttf" ]; then
        echo "wine-env: $wfonts/marlett.ttf is missing (Debian package fonts-wine):" \
            "the platform's glyphs will show as letters" >&2
    fi
    mkdir -p "$fonts"
    for f in "$wfonts"/*.ttf; do
        if [ -e "$f" ] && [ ! -e "$fonts/${f##*/}" ]; then cp "$f" "$fonts/"; fi
    done
    touch "$stamp"
}
