#!/usr/bin/env bash
# Makes what the users get: the installer lantuo-setup-<version>.exe, the
# archive lantuo-<version>-portable.zip and, beside them, the program's debug
# information lantuo-<version>.debug (the shipped program carries only a link
# to it), in $LT_BUILD/package.
#   scripts/package.sh                 installs what is missing, builds the
#                                      release flavour, packages its program
#   scripts/package.sh --exe EXE --version X.Y.Z [--out DIR]
#                                      packages a program already built
# The version comes from project() in CMakeLists.txt: the build writes it into
# the program's version resource and into lantuo_config.h, read back here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${LT_BUILD:-$root/build}/package
exe="" version=""
while [ $# -gt 0 ]; do
    case "$1" in
        --exe) exe=$2; shift 2 ;;
        --version) version=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) echo "usage: package.sh [--exe EXE --version X.Y.Z] [--out DIR]" >&2; exit 2 ;;
    esac
done

if [ -z "$exe" ]; then
    "$root/scripts/deps.sh"
    LT_TARGETS=lantuo "$root/scripts/build.sh" release
    build=${LT_BUILD:-$root/build}/release
    exe=$build/app/lantuo.exe
    version=$(sed -n 's/^#define LT_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/lantuo_config.h")
fi
if [ ! -f "$exe" ] || ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
    echo "package.sh: need the program (got '$exe') and a version X.Y.Z (got '$version')" >&2
    exit 2
fi
for tool in makensis zip i686-w64-mingw32-objcopy i686-w64-mingw32-strip; do
    if ! command -v "$tool" >/dev/null; then
        echo "package.sh: $tool is missing (scripts/deps.sh installs it)" >&2
        exit 2
    fi
done

base=lantuo-$version
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Debug information into a file of its own; the program keeps its name and
# checksum (.gnu_debuglink), so a debugger finds it when it lies beside it.
cp "$exe" "$stage/lantuo.exe"
i686-w64-mingw32-objcopy --only-keep-debug "$stage/lantuo.exe" "$out/$base.debug"
i686-w64-mingw32-strip --strip-all "$stage/lantuo.exe"
(cd "$out" && i686-w64-mingw32-objcopy --add-gnu-debuglink="$base.debug" "$stage/lantuo.exe")

makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DPROGRAM="$stage/lantuo.exe" \
    -DICON="$root/resources/icon/lantuo.ico" -DOUTFILE="$out/lantuo-setup-$version.exe" \
    "$root/installer/lantuo.nsi"

mkdir "$stage/$base"
cp "$stage/lantuo.exe" "$stage/$base/"
rm -f "$out/$base-portable.zip"
(cd "$stage" && zip -q -X -r "$out/$base-portable.zip" "$base")

for f in "lantuo-setup-$version.exe" "$base-portable.zip" "$base.debug"; do
    echo "package: $out/$f ($(stat -c %s "$out/$f") bytes)"
done
