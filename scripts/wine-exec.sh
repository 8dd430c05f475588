#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the Windows builds.
#   wine-exec.sh [--32] PROGRAM ARGS...   (--32: a PE32 program, run by the 32-bit loader)
# The environment normally comes from wine-session.sh; these defaults let a single test run alone.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
loader=/usr/lib/wine/wine64
if [ "${1:-}" = --32 ]; then
  loader=/usr/lib/wine/wine
  shift
fi
exec "$loader" "$@"
