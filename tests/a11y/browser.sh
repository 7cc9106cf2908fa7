#!/bin/sh
# Plays a person's browser at sign-in: opens the stand-in's sign-in page,
# picks the first demo user and opens the page's redirect, the app's
# callback URL, the way a browser hands a custom scheme to the desktop.
set -eu
page=$(curl -fsS "$1")
link=$(printf '%s' "$page" | grep -o 'href="/auth/zoho/approve?[^"]*"' | head -n 1 |
  sed -e 's/^href="//' -e 's/"$//' -e 's/&amp;/\&/g')
[ -n "$link" ] || { echo "browser: no demo user on $1" >&2; exit 1; }
origin=$(printf '%s' "$1" | sed -E 's#^(https?://[^/]+).*#\1#')
callback=$(curl -sS -o /dev/null -w '%{redirect_url}' "$origin$link")
[ -n "$callback" ] || { echo "browser: the sign-in page did not redirect" >&2; exit 1; }
# A browser does not wait for the app it handed the URL to.
xdg-open "$callback" >/dev/null 2>&1 || echo "browser: nothing opened $callback" >&2
