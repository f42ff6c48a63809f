#!/usr/bin/env bash
# The CMake package from outside: `cmake --install` of the LantuoSkin
# component into a fresh prefix, then a consumer project - its sources copied
# out of the tree, a toolchain file of its own - configured against that
# prefix only, built, and both its programs (DLL and static) run.
#   consumer_test.sh BUILD_DIR CONSUMER_SOURCE_DIR
set -uo pipefail
build=$1
source=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/scripts/desktop-env.sh"
work=$build/capi_consumer
rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix

cmake --install "$build" --component LantuoSkin --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log"; echo "FAILED: install"; exit 1; }
echo "installed:"; (cd "$prefix" && find . -type f | sort)
for f in include/lantuo/skin.h bin/lantuo_skin.dll lib/liblantuo_skin.dll.a \
    lib/liblantuo_skin_static.a lib/cmake/LantuoSkin/LantuoSkinConfig.cmake \
    lib/cmake/LantuoSkin/LantuoSkinConfigVersion.cmake; do
    [ -f "$prefix/$f" ] || { echo "FAILED: $f not installed"; exit 1; }
done

cp -r "$source" "$work/src"
cat >"$work/toolchain.cmake" <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
TC
cmake -G Ninja -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >"$work/configure.log" 2>&1 || {
    cat "$work/configure.log"; echo "FAILED: configure"; exit 1; }
cmake --build "$work/build" -j 2 >"$work/build.log" 2>&1 || {
    cat "$work/build.log"; echo "FAILED: build"; exit 1; }
grep -q "$prefix" "$work/build/CMakeCache.txt" && ! grep -q "$root/skin\|$root/include" "$work/build/build.ninja" ||
    { echo "FAILED: the consumer reached into the source tree"; exit 1; }

skin="Z:${build//\//\\}\\skins\\xpluna.skn"
status=0
for exe in consumer_dll consumer_static; do
    echo "== $exe"
    "$root/scripts/wine-run" "$work/build/$exe.exe" "$skin" </dev/null >"$work/$exe.out" 2>&1
    code=$?
    cat "$work/$exe.out"
    if [ "$code" != 0 ] || ! grep -q "consumer: ok" "$work/$exe.out"; then
        echo "FAILED: $exe (exit $code)"
        status=1
    fi
done
[ "$status" = 0 ] && echo "consumer project: both programs ok"
exit $status
