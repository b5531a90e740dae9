#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Arguments go to the program
# (for example --data-dir DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "quorvel: no display found (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen to run headless)" >&2
    exit 2
fi
exec "${QUORVEL_BUILD_DIR:-$root/build}/src/quorvel" "$@"
