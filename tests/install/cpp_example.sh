#!/usr/bin/env bash
# cpp_example.sh BUILD_DIR EXAMPLE_DIR: installs BUILD_DIR into a temporary
# prefix, builds the example against it with find_package(quibor15) and with
# pkg-config, and runs both programs, which must print the same.
set -euo pipefail
build=$1
example=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
libdir=$(dirname "$(find "$tmp/prefix" -name libquibor15.so | head -n 1)")

launcher=()
command -v ccache >/dev/null && launcher=(ccache)
cmake -S "$example" -B "$tmp/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$tmp/prefix" \
  ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER=ccache} >/dev/null
cmake --build "$tmp/cmake" >/dev/null
LD_LIBRARY_PATH=$libdir "$tmp/cmake/quick_start" >"$tmp/cmake.out"
LD_LIBRARY_PATH=$libdir "$tmp/cmake/hello" | grep -q "English (United States)"

flags=$(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --cflags --libs quibor15)
# shellcheck disable=SC2086
"${launcher[@]}" "${CXX:-g++}" -O1 "$example/quick_start.cpp" -o "$tmp/quick_start" $flags
LD_LIBRARY_PATH=$libdir "$tmp/quick_start" >"$tmp/pkg-config.out"

cat "$tmp/cmake.out"
cmp "$tmp/cmake.out" "$tmp/pkg-config.out"
grep -q "Finish closed the wizard" "$tmp/cmake.out"
