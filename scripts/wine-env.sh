# Sourced by the scripts that run Varnock under Wine (wine-run.sh, ./run, the
# end-to-end test): `wine_prepare PREFIX` sets the environment and creates the
# Wine prefix on first use, so every run sees the same Wine: the Japanese
# locale (code page 932), no debug chatter, no Mono or Gecko installers, and the
# null display driver whenever no X display is given. VARNOCK_WINE_LANG names
# another locale (en_US.UTF-8: a Western Windows, code page 1252); Wine keeps
# settings of the locale in its prefix, so give each locale a prefix of its own.

wine_prepare() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG="${VARNOCK_WINE_LANG:-ja_JP.UTF-8}"
    export LC_ALL="$LANG"
    case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="/usr/lib/wine:$PATH" ;; esac

    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        # The marker is written only after the prefix has run a program, so a
        # creation cut short (a Wine process that failed to start, a full disk)
        # is made again instead of leaving every later run without kernel32.dll.
        [[ -f "$WINEPREFIX/.varnock-ready" ]] && exit 0
        local attempt
        for attempt in 1 2 3; do
            wine_create_prefix && exit 0
            echo "Wine prefix $WINEPREFIX: creation $attempt failed, see $WINEPREFIX.log" >&2
        done
        wine_report_failure
        exit 1
    ) 9>"$WINEPREFIX.lock"
}

# Creates the prefix from nothing and proves it by running a program in it.
wine_create_prefix() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    {
        echo "== $(date -u '+%F %T') wineboot"
        DISPLAY= WINEDEBUG=err+all wine64 wineboot -i </dev/null 2>&1
        echo "wineboot exit status $?"
        # x11 when a display is given, else the null driver instead of failing.
        DISPLAY= wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f </dev/null 2>&1
        # Wine draws caption and frame itself, also on a display without a
        # window manager (Xvfb), so a screenshot shows the whole window.
        DISPLAY= wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null 2>&1
        # The window's default font is the system font, which Japanese Windows
        # draws with variable pitch; Wine would take the fixed-pitch IPAGothic.
        DISPLAY= wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v System /d IPAPGothic /f \
            </dev/null 2>&1
        wineserver -w
        echo "== check"
    } >"$WINEPREFIX.log" 2>&1
    [[ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]] || return 1
    local status=0
    DISPLAY= wine64 cmd.exe /c exit 7 </dev/null >>"$WINEPREFIX.log" 2>&1 || status=$?
    wineserver -w
    [[ $status -eq 7 ]] || return 1
    touch "$WINEPREFIX/.varnock-ready"
}

wine_report_failure() {
    {
        echo "Wine cannot run programs in the prefix $WINEPREFIX."
        echo "--- last lines of $WINEPREFIX.log:"
        tail -n 20 "$WINEPREFIX.log" 2>/dev/null
        echo "--- room on its disk and in /tmp:"
        LC_ALL=C df -h "$(dirname "$WINEPREFIX")" /tmp 2>&1
        echo "--- $(id) HOME=${HOME:-unset} $(command -v wine64) $(wine64 --version 2>&1)"
    } >&2
}
