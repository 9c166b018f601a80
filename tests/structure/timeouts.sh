#!/usr/bin/env bash
# Every test of the build has a timeout of its own of at most ten minutes, so that a test
# that waits for something that never comes (a real Wine, a desktop service) fails in its
# time instead of holding the run for CTest's default of 25 minutes.
# Usage: timeouts.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: timeouts.sh BUILD_DIR}
ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, sys
tests = json.load(sys.stdin)["tests"]
bad = []
for test in tests:
    timeout = {p["name"]: p["value"] for p in test.get("properties", [])}.get("TIMEOUT")
    if timeout is None or not 0 < float(timeout) <= 600:
        bad.append("%s: %s" % (test["name"], "no timeout" if timeout is None else "timeout %s s" % timeout))
print("\n".join(bad) if bad else "%d tests, each with a timeout" % len(tests))
sys.exit(1 if bad else 0)
'
