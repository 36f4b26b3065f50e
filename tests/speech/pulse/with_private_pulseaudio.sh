#!/usr/bin/env bash
# Runs a test program against a private PulseAudio server with one null sink,
# never touching the user's own server: the server's runtime files, cookie
# and socket live in a temporary directory that goes with it.
#   with_private_pulseaudio.sh PROGRAM [ARGS...]
# Exit 77 (skipped) when PulseAudio is not installed.
set -euo pipefail

readonly SINK=lexmira_test
readonly START_WAIT_TENTHS=100  # 10 s for the server to answer

for tool in pulseaudio pactl parec; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian packages pulseaudio, pulseaudio-utils)"
    exit 77
  fi
done

dir=$(mktemp -d)
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$server_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT

export HOME=$dir XDG_RUNTIME_DIR=$dir PULSE_RUNTIME_PATH=$dir
export PULSE_SERVER=unix:$dir/native PULSE_SINK=$SINK
unset DBUS_SESSION_BUS_ADDRESS

# -n: no default modules (no hardware, no autodetection, no D-Bus);
# --system=no lets it run for root too, as on a CI machine.
pulseaudio -n --daemonize=no --system=no --use-pid-file=no --exit-idle-time=-1 \
  --disable-shm=yes \
  -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
  -L "module-null-sink sink_name=$SINK" >"$dir/server.log" 2>&1 &
server_pid=$!

for _ in $(seq "$START_WAIT_TENTHS"); do
  pactl info >/dev/null 2>&1 && break
  if ! kill -0 "$server_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
  echo "FAIL: the private PulseAudio server did not start; its log:"
  cat "$dir/server.log"
  exit 1
fi

"$@"
