#!/usr/bin/env bash
# The soak: quenlark with every feature on under a call or a chat every 100 ms, for SECONDS
# (default 3600), watched for growing memory and descriptors and for lost calls, messages,
# reports and mails (bench/soak/soak.py). Builds quenlark and quenlark-hostsim in
# $QUENLARK_BUILD_DIR (default build/) first. Needs dbus-daemon and python3-aiosmtpd.
#   bash bench/soak/run.sh [SECONDS] [--sample S] [--drain S]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${QUENLARK_BUILD_DIR:-build}
seconds=${1:-3600}
shift || true
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target quenlark quenlark-hostsim
exec /usr/bin/python3 bench/soak/soak.py "$build" "$seconds" "$@"
