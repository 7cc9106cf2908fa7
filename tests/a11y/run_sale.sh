#!/usr/bin/env bash
# A whole sale done by accessible names over the desktop's accessibility bus:
# the app and the stand-in server run on a private display, session bus,
# keyring and home; a scripted browser signs in as a demo user.
# usage: run_sale.sh APP STANDIN ARTEFACT_DIR (screenshots and logs)
# VANTREL_SALE_APP and VANTREL_SALE_STANDIN, when set, replace APP and STANDIN.
set -euo pipefail
app=${VANTREL_SALE_APP:-$1} standin=${VANTREL_SALE_STANDIN:-$2} out=$3
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${VANTREL_SALE_INSIDE:-}" ]; then
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/run"
  rm -f "$out"/*.png "$out"/tree.txt
  mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$out"
  chmod 700 "$XDG_RUNTIME_DIR"
  # The app's single-instance socket is named per user.
  export USER="vantrel-sale-$$" VANTREL_SALE_INSIDE=1
  status=0
  xvfb-run -a -s "-screen 0 1600x1400x24" dbus-run-session -- bash "$0" "$@" || status=$?
  exit $status
fi

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

printf vantrel-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null 2>&1 || true
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$standin" --host 127.0.0.1 --port "$port" --seed demo --data "$HOME/standin" --auto-pay 2 \
  >"$out/standin.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
  code=$(curl -s -o /dev/null -m 2 -w '%{http_code}' "http://127.0.0.1:$port/api/me" || true)
  [ -n "$code" ] && [ "$code" != 000 ] && break
  sleep 0.1
done

# The sign-in page opens in the scripted browser; its callback reaches the app
# through the URL scheme the app registers.
mkdir -p "$XDG_DATA_HOME/applications"
printf '[Desktop Entry]\nType=Application\nName=Sale browser\nExec=%s %%u\nMimeType=x-scheme-handler/http;\n' \
  "$here/browser.sh" >"$XDG_DATA_HOME/applications/sale-browser.desktop"
xdg-mime default sale-browser.desktop x-scheme-handler/http
export BROWSER="$here/browser.sh"
"$app" --register-url-scheme
echo "sale: $app against $standin"

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# A sanitized app prints where it was when something aborts it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}handle_abort=1"
"$app" -qwindowgeometry 1280x1380+0+0 --server "http://127.0.0.1:$port" >"$out/app.log" 2>&1 &
app_pid=$!
pids+=($app_pid)
status=0
/usr/bin/python3 "$here/sale_by_names.py" "$out" || status=$?
if [ "$status" -ne 0 ]; then
  {
    if kill -0 "$app_pid" 2>/dev/null; then
      echo "sale: the app was still running"
    else
      app_status=0
      wait "$app_pid" || app_status=$?
      echo "sale: the app had already ended, with status $app_status"
    fi
    for log in app standin; do
      echo "--- the last lines of $log.log"
      tail -n 80 "$out/$log.log"
    done
  } >&2
fi
exit "$status"
