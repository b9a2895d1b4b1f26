#!/usr/bin/env bash
# Runs a command inside a headless Wayland session: mutter as the compositor with its Xwayland, on
# a session bus of its own, in a private mount and network namespace with a /tmp of its own, so
# that its X display and its sockets are its own. DISPLAY and WAYLAND_DISPLAY name them for the
# command, which runs once Xwayland answers; its status is the script's. Needs root (unshare).
set -euo pipefail
case ${1:-} in
  --namespace)
    shift
    # The private /tmp would hide a checkout or build that lies under the shared one: the folders
    # of the shared /tmp that hold this script and the command stay in view, reached through a
    # descriptor of the shared /tmp kept open across the mount.
    exec 9</tmp
    mount -t tmpfs -o mode=1777 tmpfs /tmp
    for path in "$0" "$1"; do
      case $path in /tmp/?*) ;; *) continue ;; esac
      top=${path#/tmp/}
      top=/tmp/${top%%/*}
      [ -d "$top" ] && continue
      mkdir -p "$top"
      mount --no-canonicalize --bind "/proc/self/fd/9/${top#/tmp/}" "$top"
    done
    exec 9<&-
    mkdir -m 1777 /tmp/.X11-unix
    export XDG_RUNTIME_DIR=/tmp/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset DISPLAY WAYLAND_DISPLAY XDG_SESSION_TYPE
    exec dbus-run-session -- "$0" --session "$@"
    ;;
  --session)
    shift
    log=/tmp/mutter.log
    mutter --headless --wayland --virtual-monitor 1280x1024 >"$log" 2>&1 &
    compositor=$!
    trap 'kill $compositor 2>/dev/null; wait $compositor 2>/dev/null' EXIT
    # mutter names both displays once it has them ("Using public X11 display :0, ...", "Using
    # Wayland display name 'wayland-0'") and lets X clients in with the cookie it writes beside
    # its Wayland socket; Xwayland may come up a little later, or only when a first X client
    # knocks. Each is waited for, with a bound.
    for _ in $(seq 400); do
      x=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log")
      wayland=$(sed -n "s/.*Using Wayland display name '\([^']*\)'.*/\1/p" "$log")
      cookie=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name '.mutter-Xwaylandauth.*' | head -n 1)
      if [ -n "$x" ] && [ -n "$wayland" ] && [ -n "$cookie" ] &&
        DISPLAY=$x XAUTHORITY=$cookie timeout 5 xdpyinfo >/dev/null 2>&1; then
        DISPLAY=$x WAYLAND_DISPLAY=$wayland XAUTHORITY=$cookie "$@" && status=0 || status=$?
        # What the compositor said tells a failure of the session from one of the command.
        if [ $status -ne 0 ]; then
          echo "with-mutter-wayland.sh: the command failed ($status); mutter said:" >&2
          cat "$log" >&2
        fi
        exit $status
      fi
      kill -0 $compositor 2>/dev/null || break
      sleep 0.05
    done
    echo "with-mutter-wayland.sh: no Xwayland came up; mutter said:" >&2
    cat "$log" >&2
    ls -la /tmp/.X11-unix >&2
    exit 1
    ;;
esac
command=$(readlink -f "$(command -v "$1")")
shift
exec unshare -m -n "$(readlink -f "$0")" --namespace "$command" "$@"
