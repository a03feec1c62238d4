#!/bin/sh
# Starts the installed game from a temporary prefix on a virtual screen, with a position file
# given as the menu entry gives it (`quorvin load FILE`), and closes it through its menu as a
# user does: the window must show the loaded game, and the settings written at exit must land in
# $XDG_CONFIG_HOME/quorvin/quorvin.INI while the prefix, writable as it is, stays untouched.
# Usage: check_installed_run.sh CMAKE BUILD_DIR
# Exits 77 (skipped) when xvfb-run or xdotool is missing.
set -eu
export LC_ALL=C.UTF-8

if [ "${1:-}" = "--inside" ]; then
    # On the virtual screen: start, wait for the main window, close it through Game > Exit.
    prefix=$2 log=$3
    export QT_QPA_PLATFORM=xcb
    "$prefix/bin/quorvin" load "$prefix/share/quorvin/Positions/spanish_8x8_middle.qvp" \
        >"$log" 2>&1 &
    app=$!
    # The splash comes first; the main window's title names the loaded game.
    window=
    for _ in $(seq 60); do
        for w in $(xdotool search --onlyvisible --classname quorvin 2>/dev/null); do
            case $(xdotool getwindowname "$w") in *"Spanish checkers"*) window=$w ;; esac
        done
        [ -n "$window" ] && break
        sleep 0.5
    done
    if [ -z "$window" ]; then
        echo "FAIL: no window shows the loaded Spanish game" >&2
        kill "$app"
        exit 1
    fi
    # Keys sent while the window is still being mapped get lost: settle, and try again.
    sleep 1
    for _ in 1 2 3 4; do
        xdotool windowfocus --sync "$window" key alt+g
        sleep 0.5
        xdotool key x
        for _ in $(seq 10); do
            kill -0 "$app" 2>/dev/null || break 2
            sleep 0.5
        done
    done
    if kill -0 "$app" 2>/dev/null; then
        echo "FAIL: Game > Exit did not close the game" >&2
        kill "$app"
        exit 1
    fi
    wait "$app" || { echo "FAIL: the game exited with $?" >&2; exit 1; }
    exit 0
fi

cmake=$1 build=$2
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null ||
    { echo "xvfb-run and xdotool are needed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; echo "FAIL: cmake --install" >&2; exit 1; }
find "$prefix" | sort >"$work/before"

export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
mkdir -p "$HOME"
if ! xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" --inside "$prefix" "$work/quorvin.log"; then
    cat "$work/quorvin.log"
    exit 1
fi

failures=0
find "$prefix" | sort >"$work/after"
if ! diff "$work/before" "$work/after"; then
    echo "FAIL: the game wrote into its installation" >&2
    failures=1
fi
if ! grep -qi '^\[TMainForm\]' "$XDG_CONFIG_HOME/quorvin/quorvin.INI" 2>/dev/null; then
    echo "FAIL: no settings in \$XDG_CONFIG_HOME/quorvin/quorvin.INI" >&2
    failures=1
fi
[ "$failures" -eq 0 ] || exit 1
echo "The installed game kept its settings in \$XDG_CONFIG_HOME"
