#!/bin/sh
# Configures and builds the native kvpack first (the Windows builds lay out their package
# disks with it), then both programs: win64 (runs and is tested under Wine) and win32 (the
# 32-bit program itself).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

compile() { # DIR
    env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL cmake --build "$root/build/$1" -j "$(nproc)" >"$root/build/$1.build.log" 2>&1 ||
        { cat "$root/build/$1.build.log"; exit 1; }
}

build_native() {
    if [ ! -f "$root/build/native/CMakeCache.txt" ]; then
        cmake -S "$root/kvpack" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    compile native
}

build_one() {
    arch=$1 dir=$2 tests=$3
    if [ ! -f "$root/build/$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$root/build/$dir" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" -DKVOX_BUILD_TESTS="$tests" >/dev/null
    fi
    compile "$dir"
}

build_native
build_one x86_64 win64 ON
build_one i686 win32 OFF
