# Sourced by wine-env.sh and the end-to-end helpers. scripts/test.sh runs the
# Windows tests two at a time, each on a private desktop of its own (an Xvfb
# display and a Wine prefix with its own wineserver), handed out by ctest as
# the resource "desktops". A test that holds desktop N finds it in
# CTEST_RESOURCE_GROUP_0_DESKTOPS ("id:N,slots:1") and takes its display and
# prefix from LT_DESKTOP<N>_DISPLAY and LT_DESKTOP<N>_PREFIX. Outside such a
# run nothing changes.
if [ -n "${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}" ]; then
    lt_desk=${CTEST_RESOURCE_GROUP_0_DESKTOPS#id:}
    lt_desk=${lt_desk%%,*}
    case "$lt_desk" in
        *[!0-9]*|'') ;;
        *)
            lt_desk_display=LT_DESKTOP${lt_desk}_DISPLAY
            lt_desk_prefix=LT_DESKTOP${lt_desk}_PREFIX
            [ -n "${!lt_desk_display:-}" ] && export DISPLAY=${!lt_desk_display}
            [ -n "${!lt_desk_prefix:-}" ] && export LT_WINEPREFIX=${!lt_desk_prefix}
            ;;
    esac
    unset lt_desk lt_desk_display lt_desk_prefix
fi
