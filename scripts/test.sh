#!/usr/bin/env bash
# Installs what is missing, builds Quenlark and runs every test: unit tests headless, the host
# link on a private D-Bus session bus, sound on a private PulseAudio, mail on a loopback SMTP
# server that the mail tests start themselves. The suite runs twice, on the same bus and sound
# server: in the plain build (build/), then in a build with AddressSanitizer, LeakSanitizer and
# UBSan (build-asan/). Last, the libFuzzer targets are built with clang (build-fuzz/), their
# corpora replayed and each fuzzed for 30 seconds (scripts/fuzz.sh).
# QUENLARK_TEST_TREES="plain", "sanitized" or "fuzz" runs one of them only.
set -euo pipefail
cd "$(dirname "$0")/.."
trees=${QUENLARK_TEST_TREES:-plain sanitized fuzz}
plain=${QUENLARK_BUILD_DIR:-build}
sanitized=${QUENLARK_SANITIZED_BUILD_DIR:-build-asan}

if [ -z "${QUENLARK_TEST_SESSION:-}" ]; then
    bash scripts/install-deps.sh
    source scripts/pulse-env.sh
    start_private_pulse
    trap stop_private_pulse EXIT
    QUENLARK_TEST_SESSION=1 dbus-run-session -- bash "$0" "$@"
    exit
fi

# Configures and builds one tree, then runs the suite in it: run_tree DIR [cmake option...]
run_tree() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENLARK_WERROR=ON "$@"
    cmake --build "$dir"
    ctest --test-dir "$dir" --output-on-failure -j2 "${ctest_args[@]}"
}

# The Debian package from the plain tree, checked as installed: the program's --version and the
# demo's scripted check against the packaged programs. With QUENLARK_PACKAGE_INSTALL=1 (CI sets
# it in .ci/run) the package is installed into the machine with apt-get; otherwise it is
# unpacked into a scratch folder, so that a developer's system stays as it was.
package_check() {
    local dir=$1 bin root
    rm -f "$dir"/quenlark_*.deb
    (cd "$dir" && cpack -G DEB >/dev/null)
    local debs=("$dir"/quenlark_*.deb)
    if [ "${QUENLARK_PACKAGE_INSTALL:-}" = 1 ]; then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        # apt-get takes a file for a package only when its path has a slash.
        (cd "$dir" && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q \
            --no-install-recommends "./$(basename "${debs[0]}")")
        bin=/usr/bin
    else
        root=$(mktemp -d)
        dpkg-deb -x "${debs[0]}" "$root"
        bin=$root/usr/bin
    fi
    QT_QPA_PLATFORM=offscreen "$bin/quenlark" --version
    QUENLARK_DEMO_BIN=$bin bash scripts/run-demo.sh --check
    [ -z "${root:-}" ] || rm -rf "$root"
}

ctest_args=("$@")
for tree in $trees; do
    case $tree in
    plain)
        run_tree "$plain"
        # A run of some tests only (extra ctest arguments) leaves the package, the pictures and
        # the soak alone. The soak runs two minutes (docs/testing.md); QUENLARK_SOAK_SECONDS=0
        # skips it.
        if [ ${#ctest_args[@]} -eq 0 ]; then
            package_check "$plain"
            QUENLARK_BUILD_DIR=$plain bash scripts/screenshots.sh --check
            if [ "${QUENLARK_SOAK_SECONDS:-120}" != 0 ]; then
                QUENLARK_BUILD_DIR=$plain bash bench/soak/run.sh "${QUENLARK_SOAK_SECONDS:-120}"
            fi
        fi
        ;;
    # The benchmarks are not tests: the sanitized tree leaves them out.
    sanitized) run_tree "$sanitized" -DQUENLARK_SANITIZE=address,undefined -DQUENLARK_BENCH=OFF ;;
    fuzz) bash scripts/fuzz.sh ;;
    *) echo "test.sh: unknown tree '$tree' in QUENLARK_TEST_TREES" >&2 && exit 2 ;;
    esac
done
