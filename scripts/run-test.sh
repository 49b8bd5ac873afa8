#!/usr/bin/env bash
# Runs one test program with a fresh, empty per-user settings and data folder that is removed afterwards,
# so no test sees what another run left behind.
set -u
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" HOME="$tmp/home"
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$HOME/Documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$tmp" && "$@"
