#!/usr/bin/env bash
# Builds SDL 1.2 for 64-bit Windows with mingw-w64 into the folder given, once,
# and prints the folder. The source is Debian 12's libsdl1.2 (classic SDL
# 1.2.15) on every release, since later releases carry only sdl12-compat,
# so every Debian builds the same SDL.dll. Where apt has no deb-src entry,
# the source comes through a private apt configuration that points at the
# system's own Debian mirror; the system's apt set-up is left as it is.
# Standard output and error are left as they are, not redirected to
# stdout.txt and stderr.txt beside the program. The folder also gets
# pkg-config files for Windows' own OpenGL and GLU, so that the build finds
# all three as on Linux. The DLL carries no link time, so that every build
# of it is the same.
set -euo pipefail
dest="$(realpath -m "$1")"
# The compilers' host triple, as the Windows build's toolchain file names it.
host="$(sed -n 's/^set(TOOLCHAIN_PREFIX \(.*\))$/\1/p' "$(dirname "$0")/../cmake/mingw-w64-x86_64.cmake")"
release=bookworm

fail() { echo "build-sdl-windows.sh: $*" >&2; exit 1; }
[ -f "$dest/lib/pkgconfig/glu.pc" ] && { echo "$dest"; exit 0; }

work="$dest.work"
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial"

# The Debian mirror apt already uses, for the source of the release above.
mirror="$(apt-get indextargets --format '$(REPO_URI) $(LABEL)' 2>/dev/null | awk '$2 == "Debian" { print $1; exit }')"
[ -n "$mirror" ] || fail "step 1, finding the Debian mirror: apt knows none labelled Debian"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $release main" \
    > "$work/apt/sources.list"
apt=(apt-get -q -o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
     -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache::Archives="$work/apt/archives"
     -o Dir::State::Status=/var/lib/dpkg/status -o Debug::NoLocking=true -o APT::Sandbox::User="$(id -un)")
"${apt[@]}" update >"$work/apt.log" 2>&1 || fail "step 2, reading $release's source index from $mirror: see $work/apt.log"
(cd "$work" && "${apt[@]}" source "libsdl1.2/$release" >>"$work/apt.log" 2>&1) ||
    fail "step 3, fetching and unpacking libsdl1.2's source: see $work/apt.log"

source="$(find "$work" -maxdepth 1 -type d -name 'libsdl1.2-*' | head -n 1)"
[ -n "$source" ] || fail "step 3, fetching and unpacking libsdl1.2's source: no source folder"
(cd "$source" && ./configure --host="$host" --prefix="$dest" --disable-stdio-redirect \
    LDFLAGS=-Wl,--no-insert-timestamp \
    >"$work/configure.log" 2>&1) || fail "step 4, configuring SDL for $host: see $work/configure.log"
make -C "$source" -j"$(nproc)" >"$work/make.log" 2>&1 || fail "step 5, compiling SDL: see $work/make.log"
make -C "$source" install >>"$work/make.log" 2>&1 || fail "step 6, installing SDL into $dest: see $work/make.log"
"$host-strip" --strip-unneeded "$dest/bin/SDL.dll" || fail "step 7, stripping SDL.dll"
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
