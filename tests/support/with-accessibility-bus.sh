#!/bin/sh
# Runs a test that reads a program as assistive technology does: on a private session bus, whose
# accessibility bus (at-spi-bus-launcher, with the AT-SPI registry) is started on demand, and on an
# X display of its own under a window manager. Everything is stopped afterwards; the test's exit
# status is ours.
#
#   with-accessibility-bus.sh <program> [arguments...]
set -eu
here=$(dirname "$0")
# Qt programs speak to the accessibility bus only when a screen reader is said to be running, or
# when told to always.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
NO_AT_BRIDGE=0
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON NO_AT_BRIDGE
exec sh "$here/with-session-bus.sh" sh "$here/with-window-manager.sh" "$@"
