#!/bin/sh
# Runs a test program on a private session bus with a private, unlocked
# Secret Service keyring, so that no real keyring is read or changed. The
# keyring needs some password to be created unlocked; it is thrown away.
home=$(mktemp -d)
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- sh -c \
  'printf vantrel-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null 2>&1; exec "$@"' \
  sh "$@"
status=$?
rm -rf "$home"
exit $status
