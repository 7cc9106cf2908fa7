#!/usr/bin/env bash
# Builds the two Debian packages, vantrel-checkout and vantrel-checkout-standin,
# from a Release build of its own and leaves them there (build-package/, or
# the folder named by VANTREL_PACKAGE_BUILD). Installs what is missing first:
# the project's build packages through scripts/setup.sh, and the packaging
# tools here. Arguments (e.g. -DVANTREL_IS_PREVIEW=YES ...) go to CMake;
# CMAKE_BUILD_PARALLEL_LEVEL limits the compile jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

# dpkg-shlibdeps (dpkg-dev) finds the shared-library dependencies,
# fakeroot gives the files root ownership, desktop-file-validate
# (desktop-file-utils) checks the desktop entry.
tools=(dpkg-dev fakeroot desktop-file-utils)
missing=()
for p in "${tools[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  echo "package: installing ${#missing[@]} missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build=${VANTREL_PACKAGE_BUILD:-build-package}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVANTREL_BENCH=OFF -DVANTREL_SANITIZE=OFF -DVANTREL_FUZZ=OFF -DVANTREL_APP=ON "$@" >/dev/null
cmake --build "$build" --target vantrel-checkout checkout-standin

desktop-file-validate "$build/packaging/vantrel-checkout.desktop"

# Packages from an earlier run would be taken for this one's.
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
echo "package: built"
ls -1 "$build"/*.deb
