# Sourced: starts a private PulseAudio daemon with no hardware in a runtime folder of its own.
# The null sink "spk" stands for the speakers (its monitor hears what is played); the virtual
# source "mic" stands for the microphone. stop_private_pulse ends it.
start_private_pulse() {
    export XDG_RUNTIME_DIR
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/quenlark-pulse.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
    unset PULSE_SERVER
    pulseaudio --daemonize=yes --exit-idle-time=-1 --system=no -n \
        --load="module-native-protocol-unix" \
        --load="module-null-sink sink_name=spk sink_properties=device.description=Speakers" \
        --load="module-virtual-source source_name=mic master=spk.monitor source_properties=device.description=Microphone" \
        --log-target=file:"$XDG_RUNTIME_DIR/pa.log" || true
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    if pactl info >/dev/null 2>&1; then
        pactl set-default-sink spk
        pactl set-default-source mic || true
        echo "private PulseAudio running in $XDG_RUNTIME_DIR"
    else
        echo "warning: PulseAudio did not start; see $XDG_RUNTIME_DIR/pa.log" >&2
    fi
}

stop_private_pulse() {
    local pid
    pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
}
