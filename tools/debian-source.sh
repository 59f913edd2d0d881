#!/usr/bin/env bash
# Fetches the source package PACKAGE of Debian 12 (bookworm) into the folder
# WORK and prints the folder it unpacks to (with --upstream, the upstream
# tarball alone, unpacked). The same release serves every Debian, so that
# every Debian builds the same bytes from it. Where apt has no deb-src
# entry, the source comes through a private apt configuration in WORK that
# points at the system's own Debian mirror; the system's apt set-up is left
# as it is. Each failure names its step and its log.
#   tools/debian-source.sh [--upstream] PACKAGE WORK
set -euo pipefail
upstream=false
[ "${1:-}" = --upstream ] && { upstream=true; shift; }
package=$1
work="$(realpath -m "$2")"
release=bookworm

fail() { echo "debian-source.sh: $package: $*" >&2; exit 1; }
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

if $upstream; then
    # Only the upstream tarball is needed: whether Debian's own changes come
    # along too does not matter.
    (cd "$work" && "${apt[@]}" source --download-only "$package/$release" >>"$work/apt.log" 2>&1) || true
    tarball="$(find "$work" -maxdepth 1 -name "${package}_*.orig.tar.*" | head -n 1)"
    [ -n "$tarball" ] || fail "step 3, fetching $package's upstream tarball: see $work/apt.log"
    mkdir -p "$work/upstream"
    tar -xf "$tarball" -C "$work/upstream" || fail "step 3, unpacking $tarball"
    source="$(find "$work/upstream" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
else
    (cd "$work" && "${apt[@]}" source "$package/$release" >>"$work/apt.log" 2>&1) ||
        fail "step 3, fetching and unpacking the source: see $work/apt.log"
    source="$(find "$work" -maxdepth 1 -type d -name "$package-*" | head -n 1)"
fi
[ -n "$source" ] || fail "step 3, fetching and unpacking the source: no source folder"
echo "$source"
