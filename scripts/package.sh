#!/usr/bin/env bash
# Builds the two Debian packages, vantrel-checkout and vantrel-checkout-standin,
# from a Release build of its own and leaves them there (build-package/, or
# the folder named by VANTREL_PACKAGE_BUILD). Installs what is missing first:
# the project's build packages and the packaging tools, through
# scripts/setup.sh. Arguments (e.g. -DVANTREL_IS_PREVIEW=YES ...) go to CMake;
# CMAKE_BUILD_PARALLEL_LEVEL limits the compile jobs.
#
# Stops without a package when the desktop entry, the AppStream metadata or
# lintian (errors and warnings) finds fault: a package a distribution would
# refuse is never left behind as if it were good.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-shlibdeps and dpkg-buildflags (dpkg-dev) find the shared-library
# dependencies and the distribution's hardening flags, fakeroot gives the
# files root ownership, help2man makes the manual pages from the programs'
# --help, and desktop-file-validate (desktop-file-utils), appstreamcli
# (appstream) and lintian check what is made.
bash scripts/setup.sh dpkg-dev fakeroot help2man desktop-file-utils appstream lintian

build=${VANTREL_PACKAGE_BUILD:-build-package}
# The release build with the flags Debian builds its own packages with
# (stack protector, fortified functions, read-only relocations, immediate
# binding); Release picks the optimisation and no debug information is kept.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CFLAGS_MAINT_STRIP="-g -O2" DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# Stale files of another configuration would be packaged with this one's.
rm -rf "$build/_CPack_Packages"
rm -f "$build"/*.deb
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVANTREL_BENCH=OFF -DVANTREL_SANITIZE=OFF -DVANTREL_FUZZ=OFF -DVANTREL_APP=ON -DVANTREL_MANUALS=ON \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@" >/dev/null
cmake --build "$build" --target vantrel-checkout checkout-standin vantrel_package_files

desktop-file-validate "$build/packaging/vantrel-checkout.desktop"
appstreamcli validate --no-net "$build/packaging/com.vantrel.checkout.metainfo.xml"

(cd "$build" && cpack -G DEB)

# Informational tags are shown too; only errors and warnings stop the script.
if ! lintian --info --display-info --fail-on error,warning "$build"/*.deb; then
  rm -f "$build"/*.deb
  echo "package: lintian found errors or warnings; no package left" >&2
  exit 1
fi
echo "package: built"
ls -1 "$build"/*.deb
