# shellcheck shell=bash
# Shared by the scripts in scripts/: sourced, not run.

LUMISTRA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Everything a build of the project and its tests needs (used by the sourcing scripts).
# shellcheck disable=SC2034
LUMISTRA_BUILD_PACKAGES=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev
  pkgconf libjpeg62-turbo-dev libpng-dev libtiff-dev libwebp-dev libexiv2-dev
  nlohmann-json3-dev libopenimageio-dev)

# What the GIMP plug-in needs besides: GIMP 2.10's plug-in library and GIMP itself,
# and for its dialog's tests a virtual X server and a way to drive it.
# shellcheck disable=SC2034
LUMISTRA_GIMP_PACKAGES=(libgimp2.0-dev gimp xvfb xauth xdotool)

# Installs the Debian packages given that are not installed yet. Does nothing (and needs
# no root) when all are there; otherwise runs apt-get as root or through sudo.
ensure_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed' ||
      missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return 0
  install_packages "${missing[@]}"
}

# libgimp2.0-dev brings libpcre2-dev, which wants the libpcre2-8-0 of its own version.
# A newer one from the security archive would replace the installed library, whose
# 32-bit twin (Wine's) the package indexes may not hold, and apt would then remove
# 32-bit Wine. So the pcre2 packages come in the version already installed.
ensure_gimp_packages() {
  local missing=() package installed
  for package in "${LUMISTRA_GIMP_PACKAGES[@]}"; do
    dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed' ||
      missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return 0
  installed=$(dpkg-query -W -f='${Version}' libpcre2-8-0 2>/dev/null || true)
  if [ -n "$installed" ]; then
    for package in libpcre2-8-0 libpcre2-16-0 libpcre2-32-0 libpcre2-posix3 libpcre2-dev; do
      missing+=("$package=$installed")
    done
  fi
  install_packages "${missing[@]}"
}

# Runs apt-get install for the packages given, as root or through sudo.
install_packages() {
  local missing=("$@")

  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Missing packages: ${missing[*]} (install them as root: apt-get install ${missing[*]})" >&2
      return 1
    fi
    as_root=(sudo)
  fi
  echo "Installing ${missing[*]} ..."
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure_and_build BUILD_DIR [CMAKE_ARGUMENTS...]: configures the project into
# $LUMISTRA_ROOT/BUILD_DIR (Release unless the arguments say otherwise) and builds it.
configure_and_build() {
  local build_dir="$LUMISTRA_ROOT/$1"
  shift
  cmake -S "$LUMISTRA_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$build_dir" -j "$(nproc)"
}
