#!/usr/bin/env bash
# Runs one end-to-end test in a D-Bus session and runtime folder of its own, so that tests
# running side by side never share an accessibility bus.
set -euo pipefail
runtime=$(mktemp -d "${TMPDIR:-/tmp}/qirt-e2e-run-XXXXXX")
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
dbus-run-session -- /usr/bin/python3 "$@"
