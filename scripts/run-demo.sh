#!/usr/bin/env bash
# Demo: Quenlark attached to the host simulator. Installs what is missing, builds, makes sure
# there is a session bus, starts quenlark-hostsim with the demo world (alice has a host on the
# bus; bob, carol and dave are played by the simulator), then Quenlark with its debug console
# enabled. The simulator's console stays in this terminal: try "ring bob", "chat bob alice
# hello", "help"; "quit" ends the demo.
#
#   scripts/run-demo.sh            the demo, with the user's own settings (~/.config/Quenlark)
#   scripts/run-demo.sh --check    a scripted run in a temporary home: rings and writes from the
#                                  simulator's console, then checks that Quenlark received both
#   QUENLARK_DEMO_BIN=/usr/bin scripts/run-demo.sh --check
#                                  the same against installed programs, without building
#
# Quenlark finds its host by discovery on its session bus (DBUS_SESSION_BUS_ADDRESS): it
# broadcasts Discover() and the simulator's host for alice, on the same bus, attaches.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
[ "${1:-}" = "--check" ] && check=1

# QUENLARK_DEMO_BIN names a folder that already holds both programs, such as /usr/bin of an
# installed package: nothing is built then.
bin=${QUENLARK_DEMO_BIN:-}
if [ -z "$bin" ]; then
    build=${QUENLARK_BUILD_DIR:-build}
    bash scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja
    # Only what the demo runs, so a test being edited elsewhere never stops it.
    cmake --build "$build" --target quenlark quenlark-hostsim
    bin=$build/bin
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ "$check" = 1 ]; then
    # Never touch the user's settings in a check: a home of its own.
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
    export XDG_RUNTIME_DIR=$work/run
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
fi

# A session bus: the user's when it answers, else (and always for a check) a private one.
if [ "$check" = 1 ] || ! dbus-send --session --dest=org.freedesktop.DBus --print-reply / \
    org.freedesktop.DBus.GetId >/dev/null 2>&1; then
    { read -r bus_address; read -r bus_pid; } < <(dbus-daemon --session --fork \
        --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=$bus_address
    pids+=("$bus_pid")
    echo "run-demo: started a private session bus: $DBUS_SESSION_BUS_ADDRESS"
fi
if dbus-send --session --dest=org.quenlark.HostSim --print-reply /org/quenlark/HostSim \
    org.quenlark.HostSim1.Users >/dev/null 2>&1; then
    echo "run-demo: a host simulator already runs on this bus; quit it first" >&2
    exit 1
fi

# "DebugMode" must read exactly "On" (section "Main"); LogLevel 1 writes every received host
# line to the trace log. Other keys of the file are kept.
config=${XDG_CONFIG_HOME:-$HOME/.config}/Quenlark/Quenlark.conf
set_main_key() {
    local key=$1 value=$2
    mkdir -p "$(dirname "$config")"
    touch "$config"
    awk -v key="$key" -v value="$value" '
        /^\[/ { if (in_main && !done) { print key "=" value; done = 1 }
                in_main = ($0 == "[Main]"); seen = seen || in_main }
        in_main && index($0, key "=") == 1 { if (!done) print key "=" value; done = 1; next }
        { print }
        END { if (!seen) print "[Main]"; if (!done) print key "=" value }
    ' "$config" >"$config.new"
    mv "$config.new" "$config"
}
set_main_key DebugMode On
set_main_key LogLevel 1
logfile=${XDG_DATA_HOME:-$HOME/.local/share}/Quenlark/Quenlark/logfile.txt
echo "run-demo: DebugMode=On and LogLevel=1 in $config; trace log $logfile"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
    echo "run-demo: no display (DISPLAY and WAYLAND_DISPLAY are empty): Quenlark runs with" \
        "QT_QPA_PLATFORM=offscreen, so its windows are not seen; read the trace log instead"
fi

simlog=$work/hostsim.out
received() { [ -f "$logfile" ] && grep -q "SkypeResponseHandler\[$1" "$logfile"; }

# The scripted console of --check: waits for the attach, rings and writes, then quits.
check_console() {
    for _ in $(seq 100); do received PONG && break; sleep 0.2; done
    echo "ring bob"
    sleep 1
    echo "hangup $(sed -n 's/^ok call //p' "$simlog" | head -1)"
    sleep 0.5
    echo "chat bob alice hello from bob"
    sleep 3
    echo "quit"
}

if [ "$check" = 1 ]; then
    rm -f "$logfile"
    check_console | "$bin/quenlark-hostsim" --user alice > >(tee "$simlog") 2>&1 &
else
    # A command in the background reads the terminal only when told to explicitly.
    exec 3<&0
    "$bin/quenlark-hostsim" --user alice <&3 > >(tee "$simlog") 2>&1 &
fi
sim_pid=$!
for _ in $(seq 100); do grep -q '^ready$' "$simlog" 2>/dev/null && break; sleep 0.1; done
grep -q '^ready$' "$simlog" || { echo "run-demo: the simulator did not start" >&2; exit 1; }

"$bin/quenlark" --console >"$work/quenlark.out" 2>&1 &
pids+=("$!")
echo "run-demo: Quenlark started with its debug console open: every host line shows there."
echo "run-demo: simulator console below (help lists the commands, quit ends the demo)."
wait "$sim_pid" || true

if [ "$check" = 1 ]; then
    ok=1
    call=$(sed -n 's/^ok call //p' "$simlog" | head -1)
    message=$(sed -n 's/^ok message //p' "$simlog" | head -1)
    for line in "CALL $call STATUS RINGING" "CALL $call STATUS MISSED" \
        "CHATMESSAGE $message STATUS RECEIVED"; do
        if received "$line"; then echo "run-demo: Quenlark received: $line"; else
            echo "run-demo: Quenlark never received: $line" >&2
            ok=0
        fi
    done
    [ "$ok" = 1 ] && echo "run-demo: check passed" || { echo "run-demo: check failed" >&2; exit 1; }
fi
