#!/bin/sh
# The Debian package as a host engineer meets it: its contents unpacked into a
# scratch root, the README's host example built against them once through
# find_package(dwfplot) and once through pkg-config, and run; the tool, the
# pkg-config file and the package all carry the project's version.
set -eu
deb=$(realpath "$1")
version=$2
readme=$(realpath "$(dirname "$0")/../../README.md")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg-deb -x "$deb" "$root"
libdir=$(dirname "$(find "$root" -name libdwfplot.so)")
export PKG_CONFIG_PATH="$libdir/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$root" LD_LIBRARY_PATH="$libdir"

fail() { echo "package test: $*" >&2; exit 1; }
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
[ "$(pkg-config --modversion dwfplot)" = "$version" ] || fail "pkg-config version is not $version"
[ "$("$root/usr/bin/dwfplot" --version)" = "dwfplot $version" ] || fail "the tool's version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'zlib1g' || fail "the package does not depend on zlib1g"

# The README's first C++ block is the host example.
awk '/^```cpp$/ { inside = 1; next } /^```$/ && inside { exit } inside' "$readme" > "$scratch/host.cpp"
mkdir "$scratch/cmake"
cat > "$scratch/cmake/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.25)
project(host CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(dwfplot $version REQUIRED)
add_executable(host $scratch/host.cpp)
target_compile_options(host PRIVATE -Wall -Wextra -Werror)
target_link_libraries(host PRIVATE dwfplot::dwfplot)
EOF
cmake -S "$scratch/cmake" -B "$scratch/cmake/build" -DCMAKE_PREFIX_PATH="$root/usr" > "$scratch/cmake.log" ||
  { cat "$scratch/cmake.log"; fail "find_package(dwfplot) failed"; }
cmake --build "$scratch/cmake/build" > "$scratch/build.log" || { cat "$scratch/build.log"; fail "the example does not build"; }
# shellcheck disable=SC2046
c++ -std=c++17 -Wall -Wextra -Werror "$scratch/host.cpp" $(pkg-config --cflags --libs dwfplot) -o "$scratch/host-pc"

for host in "$scratch/cmake/build/host" "$scratch/host-pc"; do
  run=$(mktemp -d "$scratch/run.XXXXXX")
  mkdir "$run/tmp"
  output=$(cd "$run" && TMPDIR="$run/tmp" "$host") || fail "$host exits with an error"
  [ "$output" = "line of 2 points in Walls" ] || fail "$host printed: $output"
  [ -z "$(ls -A "$run/tmp")" ] || fail "$host left temporary files"
  # Without a temporary directory openPlot refuses at once, and nothing is left.
  rm -r "$run/plan.dwf" "$run/tmp"
  output=$(cd "$run" && TMPDIR="$run/missing" "$host") && fail "$host succeeded without a temporary directory"
  [ "$output" = "cannot write plan.dwf" ] || fail "$host printed without a temporary directory: $output"
  [ -z "$(ls -A "$run")" ] || fail "$host left files without a temporary directory"
done
echo "package test: $(basename "$deb") installs, builds the README's host example both ways and runs it"
