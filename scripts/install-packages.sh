#!/usr/bin/env bash
# Installs the build and test tools on Debian/Ubuntu when any is missing:
# CMake, GCC, GoogleTest, 32-bit MinGW-w64 (and 64-bit, for machines that run
# no 32-bit programs), 32-bit Wine, Xvfb, icoutils, ImageMagick, clang-format,
# clang-tidy, cppcheck, clang's fuzzer runtime, and the Japanese, Russian and
# Polish locales (Wine tests read map descriptions in code pages 932, 1251 and
# 1250). Does nothing when all are there.
set -euo pipefail

packages=(cmake make g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb x11-utils
    icoutils imagemagick clang clang-format clang-tidy cppcheck python3 ca-certificates locales)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
# libFuzzer's runtime: the distribution's default package, or clang 14's.
if ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    missing+=(libclang-rt-dev)
fi
# Wine takes the code page from the Unix locale, which glibc knows only once generated.
locales=(ja_JP ru_RU pl_PL)
missing_locales() {
    local known
    known=$(locale -a 2>/dev/null)
    for l in "${locales[@]}"; do
        grep -qix "$l.utf8" <<<"$known" || echo "$l"
    done
}
[ ${#missing[@]} -eq 0 ] && [ -z "$(missing_locales)" ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-packages: run as root or install sudo" >&2; exit 1; }
    sudo=(sudo)
fi
generate_locales() {
    for l in $(missing_locales); do
        echo "install-packages: generating the $l.UTF-8 locale"
        "${sudo[@]}" localedef -i "$l" -f UTF-8 "$l.UTF-8"
    done
}
if [ ${#missing[@]} -eq 0 ]; then
    generate_locales
    exit 0
fi

echo "install-packages: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" dpkg --add-architecture i386
"${sudo[@]}" apt-get update -q
if ! apt-cache show libclang-rt-dev >/dev/null 2>&1; then
    # Older releases name the runtime after the clang version.
    for i in "${!missing[@]}"; do
        [ "${missing[$i]}" = libclang-rt-dev ] && missing[$i]=libclang-rt-14-dev
    done
fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
generate_locales
