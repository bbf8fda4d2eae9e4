#!/usr/bin/env bash
# Pictures of every window: runs Quenlark and the host simulator under Xvfb in a demo world of
# their own (a temporary home and session bus; recorded messages, a call recording and a darts
# history on disk; bob online and carol away; a call, a chat and a darts game in progress from
# the simulator), opens each window the way a click does (quenlark --open NAME) and saves it
# as a PNG.
#
#   scripts/screenshots.sh          saves every picture into docs/screenshots/
#   scripts/screenshots.sh --check  saves them into build/screenshots/ instead and fails unless
#                                   every window's picture exists and is not blank, and every
#                                   focusable control of every window has an accessible name
#                                   (scripts/accessibility-check.py, over AT-SPI)
#
# Runs on an Xvfb server of its own. Builds quenlark, quenlark-hostsim
# and quenlark-screenshot (a tool that saves an X window) into build/ (or $QUENLARK_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
[ "${1:-}" = "--check" ] && check=1
build=${QUENLARK_BUILD_DIR:-build}
out=docs/screenshots
[ "$check" = 1 ] && out=$build/screenshots
# A picture with fewer colours than this is taken for blank (a window not painted yet, or
# painted in one colour).
min_colours=24

cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target quenlark quenlark-hostsim quenlark-screenshot
bin=$build/bin
shot=$build/tools/quenlark-screenshot

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" TERM INT

# An X server of its own: Xvfb picks a free display number and says which (-displayfd); it
# must not reset when the last program of one picture has gone.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=("$!")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "screenshots: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")
unset WAYLAND_DISPLAY XAUTHORITY
export QT_QPA_PLATFORM=xcb

# The sound server of the caller (scripts/test.sh starts a private one) is kept.
if [ -z "${PULSE_SERVER:-}" ] && [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]; then
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
fi
# The demo world's home: nothing of the user's is read or changed.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run LANG=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Quenlark"
chmod 700 "$XDG_RUNTIME_DIR"
{ read -r bus_address; read -r bus_pid; } < <(dbus-daemon --session --fork --print-address=1 \
    --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$bus_address
pids+=("$bus_pid")
# A check also walks every window's accessible tree: the accessibility bus on this session bus
# (Qt registers its windows only where it finds org.a11y.Bus on its own session bus).
if [ "$check" = 1 ]; then
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
    pids+=("$!")
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

# What a user of some weeks has: messages (two not heard yet), a call recording, three games
# of darts and three contacts.
documents=$HOME/Documents/Quenlark
data=$XDG_DATA_HOME/Quenlark/Quenlark
mkdir -p "$documents/AutoAnswer" "$documents/Recording" "$data"
tone() { sox -q -n -r 16000 -c 1 -b 16 "$1" synth "$2" sine "$3" vol 0.3; }
tone "$documents/AutoAnswer/20261204093012_bob.r.wav" 6 440
tone "$documents/AutoAnswer/20261206181545_carol.wav" 11 523
tone "$documents/AutoAnswer/20261207080233_dave.wav" 4 392
tone "$documents/Recording/20261205203000_bob.wav" 17 330
printf '%s\r\n' "812 alice bob 20261203201500 4 180 121 WIN" \
    "4211 bob alice  5 140 167 LOSE" "77 alice carol 20261205190000 3 201 95 WIN" \
    >"$data/Arrowfall.hist"
cat >"$XDG_CONFIG_HOME/Quenlark/Quenlark.conf" <<'CONF'
[Main]
DebugMode=On
[Contact]
0000=bob
0000_group=Friends
0001=carol
0001_group=Friends
0002=dave
0002_group=Jazz
DisplayGroup=All
CONF

# The simulator plays bob, carol and dave; its console is fed through a FIFO.
mkfifo "$work/sim.in"
"$bin/quenlark-hostsim" --user alice <"$work/sim.in" >"$work/sim.out" 2>&1 &
pids+=("$!")
exec 4>"$work/sim.in"
for _ in $(seq 100); do grep -q '^ready$' "$work/sim.out" && break; sleep 0.1; done
grep -q '^ready$' "$work/sim.out" || { echo "screenshots: the simulator did not start" >&2; exit 1; }
sim() { echo "$*" >&4; }

# Quenlark's X window titled TITLE, once it is shown (no window manager: the window itself;
# Qt's helper windows carry no class).
window_id() {
    xwininfo -root -children 2>/dev/null |
        awk -v want="\"$1\": (\"quenlark\"" 'index($0, want) { print $1; exit }'
}

# take NAME TITLE [--open CONTROL]...: starts Quenlark with the clicks that show the window
# titled TITLE, runs the hook NAME_world when there is one, saves the window as NAME.png.
take() {
    local name=$1 title=$2 id="" pid
    shift 2
    "$bin/quenlark" "$@" >"$work/$name.out" 2>&1 &
    pid=$!
    for _ in $(seq 300); do id=$(window_id "$title"); [ -n "$id" ] && break; sleep 0.1; done
    if [ -n "$id" ]; then
        if declare -F "${name}_world" >/dev/null; then "${name}_world"; fi
        sleep 1.5
        "$shot" "$id" "$out/$name.png" >/dev/null || id=""
        if [ -n "$id" ] && [ "$check" = 1 ]; then
            /usr/bin/python3 scripts/accessibility-check.py "$title" || unnamed=1
        fi
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [ -z "$id" ]; then
        echo "screenshots: no window \"$title\" for $name" >&2
        sed 's/^/  /' "$work/$name.out" >&2
        return 1
    fi
    echo "screenshots: $out/$name.png"
}

# The events each window lists, sent while it is shown.
calls_world() {
    sim ring bob
    sleep 1.5
    sim hangup "$(sed -n 's/^ok call //p' "$work/sim.out" | tail -1)"
}
# The main window reads "Connecting" from the first supervision of the link on (10 s after the
# attach); only then does the contact list ask the host about its contacts, one a second.
main_world() { sleep 10; }
contacts_world() { sleep 14; }
messages_world() { sim chat carol alice "Are we still on for Friday?"; }
friends_world() { sim status dave ONLINE; }
# bob invites alice to darts and throws his first dart; alice accepts at the question (Return
# presses its default button, OK).
darts_world() {
    sim chat bob alice "@@Quenlark@@ Arrowfall INVITE 4711"
    sleep 1.5
    xdotool key Return
    sleep 0.5
    sim chat bob alice "@@Quenlark@@ Arrowfall THROW 4711 1490 1260"
}

mkdir -p "$out"
rm -f "$out"/*.png
failed=0
unnamed=0
# name|window title|clicks that show it (the main window's title names the signed-in user once
# the host has attached). BlackJack is left out: a window without anything in it.
while IFS='|' read -r name title clicks; do
    # shellcheck disable=SC2086 # the clicks are words
    take "$name" "$title" $clicks || failed=1
done <<'WINDOWS'
main|Quenlark(alice)|
answering|AutoAnswer|--open AutoAnswerMenu
controler-list|ControlerList|--open AutoAnswerMenu --open Command6
contacts|Contact|--open Command6
darts|Darts|--open DartsMenuItem
darts-history|Darts Game History|--open DartsMenuItem --open Command4
recording|Recording|--open RecordingMenu
remote|Remote[AutoAnswer]|--open Command7
send-im|Properties of Skype Account for sending status|--open ToolMenuBroadCastStatusItem
send-mail|Properties of Mail Address for sending status|--open FileMenuSendMailSettingItem
announce-back|Announce Back|--open AnnounceBackMenu
language|Language|--open LanguageMenu
about|About Quenlark|--open HelpMenuAboutItem
console|Console|--open ToolMenuConsoleItem
messages|Message|--open ToolMenuMessageItem
calls|Call|--open ToolMenuCallItem
friends|Friends|--open DisplayMenuFriendsItem
mixer-config|MixerConfig|--open MixerConfigMenu
player|sndPlayer|--open PlayerMenu
WINDOWS

if [ "$check" = 1 ]; then
    for picture in "$out"/*.png; do
        colours=$("$shot" --colours "$picture")
        if [ "$colours" -lt "$min_colours" ]; then
            echo "screenshots: $picture looks blank ($colours colours)" >&2
            failed=1
        fi
    done
fi
[ "$unnamed" = 0 ] || { echo "screenshots: controls without a name (above)" >&2; failed=1; }
exit "$failed"
