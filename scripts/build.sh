#!/usr/bin/env bash
# Configures (once) and builds one flavour: host | fuzz | bench | win32 | release.
# release is the shipped program: the win32 build optimised, its debug
# information kept (scripts/package.sh moves it into a file of its own).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?usage: build.sh host|fuzz|bench|win32|release [cmake -D options...]}
shift
build=${LT_BUILD:-$root/build}/$flavour
# Paths below the source tree are hashed relative to it, so that separate
# checkouts and build trees of the same depth share one compiler cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
# Objects are shared across checkouts whatever their folder (debug line tables
# then name the first checkout's folder), and objects built with the
# precompiled headers are cached too.
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
args=(-G Ninja -S "$root" -B "$build" -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
case "$flavour" in
    host) args+=(-DCMAKE_BUILD_TYPE=Debug) ;;
    fuzz) args+=(-DLT_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    bench) args+=(-DLT_BENCH=ON -DCMAKE_BUILD_TYPE=Release) ;;
    win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    release) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
                    "-DCMAKE_C_FLAGS_RELEASE=-O2 -g -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -g -DNDEBUG") ;;
    *) echo "build.sh: unknown flavour $flavour" >&2; exit 2 ;;
esac
if [ ! -f "$build/build.ninja" ] || [ $# -gt 0 ]; then
    cmake "${args[@]}" "$@" >/dev/null
fi
# LT_TARGETS (space separated) limits the build to those targets.
cmake --build "$build" -j "$(nproc)" ${LT_TARGETS:+--target $LT_TARGETS}
