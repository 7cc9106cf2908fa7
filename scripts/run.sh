#!/usr/bin/env bash
# Runs the checkout app against a local stand-in Checkout server with demo
# data: installs what is missing, builds, starts the stand-in on
# 127.0.0.1:8080 unless one already answers there, registers the sign-in
# callback scheme for this user, and launches the app on that server.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
server_url=http://localhost:8080

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
run: there is no display to show the app on (DISPLAY and WAYLAND_DISPLAY are both unset).
     Run it from a desktop session, or on a virtual display:
       xvfb-run -a ./scripts/run.sh
     (sign-in then needs a browser on that display too)
MSG
  exit 1
fi

bash scripts/setup.sh

build=build-run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=OFF \
  -DVANTREL_BENCH=OFF >/dev/null
cmake --build "$build" --target vantrel-checkout checkout-standin -j "$(nproc)"
app="$root/$build/src/screens/vantrel-checkout"
standin="$root/$build/standin/checkout-standin"

answers() {
  local code
  code=$(curl -s -o /dev/null -m 2 -w '%{http_code}' "http://127.0.0.1:8080/api/me" || true)
  [ -n "$code" ] && [ "$code" != "000" ]
}

standin_pid=
stop_standin() {
  if [ -n "$standin_pid" ]; then
    kill "$standin_pid" 2>/dev/null || true
    wait "$standin_pid" 2>/dev/null || true
  fi
}
trap stop_standin EXIT

if answers; then
  echo "run: a Checkout server already answers on 127.0.0.1:8080; using it."
else
  data="${XDG_DATA_HOME:-$HOME/.local/share}/vantrel-checkout-standin"
  mkdir -p "$data"
  "$standin" --host 127.0.0.1 --port 8080 --seed demo --data "$data" >>"$data/standin.log" 2>&1 &
  standin_pid=$!
  for _ in $(seq 1 50); do
    answers && break
    if ! kill -0 "$standin_pid" 2>/dev/null; then
      echo "run: the stand-in server stopped at start; see $data/standin.log" >&2
      standin_pid=
      exit 1
    fi
    sleep 0.2
  done
  answers || { echo "run: the stand-in server did not answer on 127.0.0.1:8080" >&2; exit 1; }
  echo "run: stand-in server with demo data on $server_url (data in $data)."
fi

# The browser hands the sign-in back through the app's URL scheme.
"$app" --register-url-scheme || echo "run: could not register the sign-in URL scheme; sign-in will not return to the app." >&2

echo "run: starting Vantrel Checkout on $server_url"
"$app" --server "$server_url"
