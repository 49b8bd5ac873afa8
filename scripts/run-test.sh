#!/usr/bin/env bash
# Runs one test program with a fresh, empty per-user settings and data folder that is removed afterwards,
# so no test sees what another run left behind.
set -u
# A desktop session's display settings would change what the tests draw and measure: a scale factor
# shrinks the offscreen screen below the main window, a GTK platform theme ends a program that has no
# display, a user's plugin folder brings other image readers. The tests run on the offscreen platform at
# scale 1 with Qt's own theme and plugins, from a desktop terminal as in CI.
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
      QT_SCALE_FACTOR_ROUNDING_POLICY QT_DEVICE_PIXEL_RATIO QT_FONT_DPI QT_USE_PHYSICAL_DPI \
      QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" HOME="$tmp/home"
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$HOME/Documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$tmp" && "$@"
