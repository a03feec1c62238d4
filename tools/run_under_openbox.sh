#!/bin/sh
# Starts the game under a real window manager on a virtual screen and reports where its main
# window's frame lies: Xvfb at the size asked for, openbox in it, then the program, once or
# several times in a row, each run closed through the window manager (Alt+F4) so that it
# stores its placement as it does for a user. Every run prints the frame rectangle (title bar
# and borders included), the work area and whether the frame lies wholly inside it, then the
# placement keys the program wrote; a screenshot of the whole screen can be taken each time.
#
# The program keeps its settings beside its executable when that folder holds its data, so
# the settings folder gets a copy of the executable and links to the data of the build: runs
# in different settings folders never mix, nor touch build/quorvin.INI.
#
#   tools/run_under_openbox.sh [-s WxH] [-d DIR] [-i FILE] [-n RUNS] [-w SECONDS]
#                              [-p PNG] [-a ACTIONS] [-b PROGRAM]
#     -s WxH      screen size (default 1280x1024)
#     -d DIR      settings folder (default: a new temporary folder, removed at the end);
#                 an existing quorvin.INI in it is used as it is
#     -i FILE     copy FILE into the settings folder as quorvin.INI before the first run
#     -n RUNS     runs in a row (default 1), each reading what the one before stored
#     -w SECONDS  time from a start to the measurement (default 8; the splash alone takes 4)
#     -p PNG      screenshot of each run (run k of several goes to PNG with "-k" before ".png")
#     -a ACTIONS  after the first report of each run, in turn, each reported: fit (Board, Fit
#                 to screen), maximise (a double click on the title bar), move=X,Y (the window
#                 manager moves the window), about, options (the dialog is opened, reported and
#                 closed); separated by spaces, as in -a "about move=300,200 fit"
#     -b PROGRAM  the program (default build/quorvin of this checkout)
#
# Needs xvfb, openbox, xdotool, x11-utils and imagemagick (all in `make deps`).
#
# "set -- $(...)" splits a tool's answer into fields on purpose.
# shellcheck disable=SC2046,SC2086
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
screen=1280x1024
settings=
ini=
runs=1
wait_seconds=8
shot=
actions=
program=$here/build/quorvin

usage() {
    sed -n '13,26s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

while getopts s:d:i:n:w:p:a:b:h option; do
    case $option in
    s) screen=$OPTARG ;;
    d) settings=$OPTARG ;;
    i) ini=$OPTARG ;;
    n) runs=$OPTARG ;;
    w) wait_seconds=$OPTARG ;;
    p) shot=$OPTARG ;;
    a) actions=$OPTARG ;;
    b) program=$OPTARG ;;
    *) usage ;;
    esac
done
shift $((OPTIND - 1))
[ $# -eq 0 ] || usage
case $screen in *x*) ;; *) usage ;; esac

for tool in Xvfb openbox xdotool xwininfo xprop import; do
    command -v $tool >/dev/null || { echo "$tool is missing: run make deps" >&2; exit 1; }
done
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
data=$(dirname "$program")

scratch=$(mktemp -d)
removeSettings=
if [ -z "$settings" ]; then
    settings=$scratch/settings
    removeSettings=yes
fi
mkdir -p "$settings"
settings=$(cd "$settings" && pwd)

xvfb_pid=
wm_pid=
game_pid=
cleanup() {
    for pid in $game_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The program's copy and its data, linked from the build.
name=$(basename "$program")
cp "$program" "$settings/$name"
for entry in Images Sound Positions help languages Quorvin.html; do
    [ -e "$data/$entry" ] && ln -sfn "$data/$entry" "$settings/$entry"
done
for language in "$data"/*.lng; do
    [ -e "$language" ] && ln -sfn "$language" "$settings/$(basename "$language")"
done
[ -z "$ini" ] || cp "$ini" "$settings/$name.INI"

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
DISPLAY=:$(cat "$scratch/display")
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
wm_pid=$!
# openbox is ready once it announces the work area.
for _ in $(seq 50); do xprop -root _NET_WORKAREA 2>/dev/null | grep -q = && break; sleep 0.1; done

# The work area as the window manager announces it, else the screen: x y width height.
work_area() {
    if xprop -root _NET_WORKAREA 2>/dev/null | grep -q =; then
        xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | awk '{print $1, $2, $3, $4}'
    else
        echo 0 0 "${screen%x*}" "${screen#*x}"
    fi
}

# The visible top-level window of the program with the largest area (the splash is gone by
# then; Qt's own helper windows are never mapped).
main_window() {
    best=
    best_area=0
    for id in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null); do
        # Sets WIDTH and HEIGHT, among others.
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ $((WIDTH * HEIGHT)) -gt "$best_area" ]; then
            best=$id
            best_area=$((WIDTH * HEIGHT))
        fi
    done
    echo "$best"
}

# "left top width height extents" of the frame: the client's place and size from xwininfo,
# widened by the extents the window manager put around it.
frame_of() {
    info=$(xwininfo -id "$1")
    x=$(echo "$info" | awk '/Absolute upper-left X/ {print $NF}')
    y=$(echo "$info" | awk '/Absolute upper-left Y/ {print $NF}')
    w=$(echo "$info" | awk '/Width:/ {print $NF}')
    h=$(echo "$info" | awk '/Height:/ {print $NF}')
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    set -- ${extents:-0 0 0 0}
    echo $((x - $1)) $((y - $3)) $((w + $1 + $2)) $((h + $3 + $4)) "$1,$2,$3,$4"
}

# Prints the frame of a window and whether it lies inside the work area; a frame outside
# makes the script fail at the end, unless a third argument says that the frame was put there
# on purpose.
report() {
    label=$1
    on_purpose=${3:-}
    set -- $(frame_of "$2")
    left=$1 top=$2 width=$3 height=$4 extents=$5
    set -- $(work_area)
    inside=yes
    if [ "$left" -lt "$1" ] || [ "$top" -lt "$2" ] ||
        [ $((left + width)) -gt $(($1 + $3)) ] || [ $((top + height)) -gt $(($2 + $4)) ]; then
        inside=NO
        [ -n "$on_purpose" ] || status=1
    fi
    echo "run $run: $label frame left=$left top=$top width=$width height=$height" \
        "(right=$((left + width)) bottom=$((top + height)); extents l,r,t,b=$extents)" \
        "work area $1,$2 $3x$4: inside=$inside"
}

# The program's window that is not the main window, once one shows (a dialog).
dialog_window() {
    for _ in $(seq 30); do
        for id in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null); do
            [ "$id" = "$window" ] || { echo "$id"; return; }
        done
        sleep 0.1
    done
}

# Runs one action of -a against the main window and reports what it left.
act() {
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    case $1 in
    fit)
        xdotool key --clearmodifiers alt+b f
        sleep 2
        report "after Fit to screen:" "$window"
        ;;
    maximise)
        # A double click on the title bar is openbox's maximise.
        set -- $(frame_of "$window")
        xdotool mousemove $(($1 + $3 / 2)) $(($2 + 8)) click --repeat 2 --delay 80 1
        sleep 2
        report "after maximise:" "$window"
        ;;
    move=*)
        xdotool windowmove "$window" $(echo "${1#move=}" | tr , ' ')
        sleep 1
        report "after moving:" "$window" on-purpose
        ;;
    about | options)
        if [ "$1" = about ]; then
            xdotool key --clearmodifiers alt+question a
        else
            xdotool key --clearmodifiers alt+g o
        fi
        dialog=$(dialog_window)
        if [ -z "$dialog" ]; then
            echo "run $run: no $1 dialog showed" >&2
            status=1
            return
        fi
        sleep 1
        report "$1 dialog:" "$dialog"
        xdotool key --clearmodifiers Escape
        sleep 0.5
        ;;
    *)
        echo "unknown action $1" >&2
        exit 2
        ;;
    esac
}

status=0
run=1
while [ "$run" -le "$runs" ]; do
    "$settings/$name" >"$settings/run$run.log" 2>&1 &
    game_pid=$!
    sleep "$wait_seconds"
    window=$(main_window)
    # A busy machine may take longer to show it.
    for _ in $(seq 40); do [ -z "$window" ] || break; sleep 0.5; window=$(main_window); done
    if [ -z "$window" ]; then
        echo "run $run: no window of the program is shown" >&2
        cat "$settings/run$run.log" >&2
        exit 1
    fi
    report "main window" "$window"
    if [ -n "$shot" ]; then
        file=$shot
        [ "$runs" -eq 1 ] || file=${shot%.png}-$run.png
        import -window root "$file"
        echo "run $run: screenshot $file"
    fi
    for action in $actions; do act "$action"; done

    # Closed as a user closes it, so that it writes its settings; asked again if the keys
    # went astray.
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
        xdotool key --clearmodifiers alt+F4
        for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$game_pid" 2>/dev/null || break
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        echo "run $run: the program did not close" >&2
        exit 1
    fi
    wait "$game_pid" || true
    game_pid=
    tr -d '\r' <"$settings/$name.INI" | awk -v run="$run" '
        /^\[/ { section = $0 }
        /^(NormPos|MainFormHeight|MainFormWidth)=/ { print "run " run ": stored " section " " $0 }'
    run=$((run + 1))
done

[ -n "$removeSettings" ] || echo "settings in $settings/$name.INI"
exit $status
