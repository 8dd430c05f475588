#!/usr/bin/env bash
# Runs one Windows program under 64-bit Wine: CTest's emulator for the win64 build.
# The environment normally comes from wine-session.sh; these defaults let a single test run alone.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
