#!/usr/bin/env bash
# Builds the two Debian packages, vantrel-checkout and vantrel-checkout-standin,
# from a Release build of its own and leaves them there (build-package/, or
# the folder named by VANTREL_PACKAGE_BUILD). Installs what is missing first:
# the project's build packages and the packaging tools, through
# scripts/setup.sh. Arguments (e.g. -DVANTREL_IS_PREVIEW=YES ...) go to CMake;
# CMAKE_BUILD_PARALLEL_LEVEL limits the compile jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-shlibdeps (dpkg-dev) finds the shared-library dependencies,
# fakeroot gives the files root ownership, desktop-file-validate
# (desktop-file-utils) checks the desktop entry.
bash scripts/setup.sh dpkg-dev fakeroot desktop-file-utils

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
