#!/usr/bin/env bash
# Splits the X server's one wide screen into two monitors side by side, as a desktop with a
# second display has them: 1280x1024 at the left, 1280x768 at the right, then runs the command.
set -euo pipefail
xrandr --setmonitor left 1280/339x1024/271+0+0 screen >/dev/null
xrandr --setmonitor right 1280/339x768/203+1280+0 none >/dev/null
"$@"
