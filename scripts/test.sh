#!/usr/bin/env bash
# Installs what is missing, builds Quenlark and runs every test: unit tests headless, the host
# link on a private D-Bus session bus, sound on a private PulseAudio, mail on a loopback SMTP
# server that the mail tests start themselves.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${QUENLARK_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENLARK_WERROR=ON
cmake --build "$build"

source scripts/pulse-env.sh
start_private_pulse
trap stop_private_pulse EXIT
dbus-run-session -- ctest --test-dir "$build" --output-on-failure -j2 "$@"
