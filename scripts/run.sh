#!/usr/bin/env bash
# Builds Trevalin (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MSG'
No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot be shown.
Start Trevalin from a desktop session, log in with "ssh -X", or run it in a virtual display:
    apt-get install xvfb xauth && xvfb-run -a build/src/trevalin
The command-line tool needs no display: build/src/trevalin-cli --help
MSG
  exit 1
fi
exec build/src/trevalin "$@"
