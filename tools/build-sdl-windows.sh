#!/usr/bin/env bash
# Builds SDL 1.2 for 64-bit Windows with mingw-w64 into the folder given, once,
# and prints the folder. The source is Debian 12's libsdl1.2 (classic SDL
# 1.2.15) on every release, since later releases carry only sdl12-compat,
# so every Debian builds the same SDL.dll (debian-source.sh fetches it).
# Standard output and error are left as they are, not redirected to
# stdout.txt and stderr.txt beside the program. The folder also gets
# pkg-config files for Windows' own OpenGL and GLU, so that the build finds
# all three as on Linux. The DLL carries no link time, so that every build
# of it is the same.
set -euo pipefail
dest="$(realpath -m "$1")"
# The compilers' host triple, as the Windows build's toolchain file names it.
host="$(sed -n 's/^set(TOOLCHAIN_PREFIX \(.*\))$/\1/p' "$(dirname "$0")/../cmake/mingw-w64-x86_64.cmake")"

fail() { echo "build-sdl-windows.sh: $*" >&2; exit 1; }
[ -f "$dest/lib/pkgconfig/glu.pc" ] && { echo "$dest"; exit 0; }

work="$dest.work"
rm -rf "$work"
source="$("$(dirname "$0")/debian-source.sh" libsdl1.2 "$work")" || fail "fetching libsdl1.2's source"
(cd "$source" && ./configure --host="$host" --prefix="$dest" --disable-stdio-redirect \
    LDFLAGS=-Wl,--no-insert-timestamp \
    >"$work/configure.log" 2>&1) || fail "step 1, configuring SDL for $host: see $work/configure.log"
make -C "$source" -j"$(nproc)" >"$work/make.log" 2>&1 || fail "step 2, compiling SDL: see $work/make.log"
make -C "$source" install >>"$work/make.log" 2>&1 || fail "step 3, installing SDL into $dest: see $work/make.log"
"$host-strip" --strip-unneeded "$dest/bin/SDL.dll" || fail "step 4, stripping SDL.dll"
install -D -m 644 "$source/COPYING" "$dest/share/doc/SDL/COPYING"
# A program links SDLmain, whose WinMain calls the program's main (renamed
# SDL_main by SDL's header), with mingw32's start-up before it. The prefix is
# the folder's own place, so that a copy of the folder serves from where it is.
sed -i -e 's/^Libs: .*/Libs: -L${libdir} -lmingw32 -lSDLmain -lSDL/' \
       -e 's|^prefix=.*|prefix=${pcfiledir}/../..|' "$dest/lib/pkgconfig/sdl.pc"

for lib in gl:opengl32 glu:glu32; do
    printf 'Name: %s\nDescription: Windows %s\nVersion: 1.1\nLibs: -l%s\n' \
        "${lib%%:*}" "${lib#*:}" "${lib#*:}" > "$dest/lib/pkgconfig/${lib%%:*}.pc"
done
rm -rf "$work"
echo "$dest"
