#!/bin/sh
# Runs one test of the sanitized build: sanitized-test.sh REPORTS SECONDS TEST [ARGS...]
# Every process the test starts writes its sanitizer reports into REPORTS (log_path in
# ASAN_OPTIONS and UBSAN_OPTIONS); any report there fails the test and is printed, even one
# from a child process whose exit status nobody looks at. `timeout` ends the test and all its
# children after SECONDS, before ctest's own time-out would leave them running.
reports=$1
seconds=$2
shift 2
rm -rf "$reports"
mkdir -p "$reports"
status=0
timeout --kill-after=5 "$seconds" "$@" || status=$?
[ "$status" -eq 124 ] && echo "sanitized-test.sh: $1 ran out of its $seconds seconds" >&2
found=0
for report in "$reports"/*; do
    [ -e "$report" ] || continue
    found=1
    echo "==== sanitizer report $report" >&2
    cat "$report" >&2
done
if [ "$found" -eq 1 ] && [ "$status" -eq 0 ]; then
    echo "sanitized-test.sh: the test passed, but a process it started reported the errors above" >&2
    status=1
fi
exit "$status"
