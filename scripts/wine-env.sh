# Sourced by the scripts that run Varnock under Wine (wine-run.sh, ./run, the
# end-to-end test): `wine_prepare PREFIX` sets the environment and creates the
# Wine prefix on first use, so every run sees the same Wine: the Japanese
# locale (code page 932), no debug chatter, no Mono or Gecko installers, and the
# null display driver whenever no X display is given.

wine_prepare() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="/usr/lib/wine:$PATH" ;; esac

    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
            DISPLAY= wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
            # x11 when a display is given, else the null driver instead of failing.
            DISPLAY= wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f \
                </dev/null >/dev/null 2>&1 || true
            # Wine draws caption and frame itself, also on a display without a
            # window manager (Xvfb), so a screenshot shows the whole window.
            DISPLAY= wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
                </dev/null >/dev/null 2>&1 || true
            # The window's default font is the system font, which Japanese Windows
            # draws with variable pitch; Wine would take the fixed-pitch IPAGothic.
            DISPLAY= wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v System /d IPAPGothic /f \
                </dev/null >/dev/null 2>&1 || true
            wineserver -w || true
        fi
    ) 9>"$WINEPREFIX.lock"
}
