#!/usr/bin/env bash
# Runs a command against a fresh Xvfb on the first free display number from
# 90 up, and stops that server afterwards. The screen is 1280x1024 unless
# XVFB_SCREEN says otherwise (e.g. 1600x1024x24 for the editor at 200 %).
# The command gets an empty configuration folder of its own: no test sees
# the editor settings the user or another test left.
#   [XVFB_SCREEN=WxHxD] xvfb-run.sh COMMAND [ARGS...]
set -uo pipefail
display=90
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
log=$(mktemp)
Xvfb :$display -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >"$log" 2>&1 &
server=$!
for _ in $(seq 50); do
  [ -e /tmp/.X11-unix/X$display ] && break
  sleep 0.1
done
if ! kill -0 $server 2>/dev/null; then
  echo "Xvfb did not start:" >&2; cat "$log" >&2; rm -f "$log"
  exit 1
fi
config=$(mktemp -d)
DISPLAY=:$display XDG_CONFIG_HOME=$config "$@"
rc=$?
rm -rf "$config"
kill $server 2>/dev/null
wait $server 2>/dev/null
rm -f "$log"
exit $rc
