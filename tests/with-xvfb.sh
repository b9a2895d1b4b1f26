#!/usr/bin/env bash
# Runs a command on a throwaway Xvfb of its own, on a free display, and stops the server after.
# -noreset: without it Xvfb resets whenever its last client disconnects, undoing pointer moves.
# XVFB_ARGS adds server options, for example "-extension XTEST" to start one without XTest.
set -euo pipefail
fifo=$(mktemp -u)
mkfifo "$fifo"
# shellcheck disable=SC2086 # XVFB_ARGS is a list of words
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 ${XVFB_ARGS:-} 3>"$fifo" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 20 display <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=:$display "$@"
