#!/usr/bin/env bash
# Runs ./test.sh from a fresh clone of this repository's HEAD inside a clean
# chroot of a Debian release (12, 13, 14 or a code name), made by
# mmdebstrap with only the base system and apt. Then installs the package
# that ./package.sh deb builds on this machine into a second clean chroot of
# that release and plays it briefly there: the window "Duruv" must appear
# and Escape must give status 0. Needs root; takes minutes per release.
# Logs go to chroot-logs/<release>/; the closing lines of ./test.sh in the
# chroot are shown. Exits with 0 when both passed, with 3 when mmdebstrap
# could not make the release's base system at all (a testing release can be
# broken for a day by Debian itself), and with 1 on any other failure.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 1 ] || { echo "usage: $0 RELEASE (12, 13, 14 or a code name)" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: chroots need root" >&2; exit 2; }
tools/install-deps.sh chroot
case "$1" in
    12) release=bookworm ;;
    13) release=trixie ;;
    14) release=forky ;;
    *) release=$1 ;;
esac

logs="$PWD/chroot-logs/$release"
mkdir -p "$logs"
work="$(mktemp -d /var/tmp/duruv-chroot.XXXXXX)"
roots=()

# Ends every process that runs inside ROOT, then lets go of its mounts.
release_root() {
    local root=$1 pid
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null
    done
    for m in dev/shm dev/pts dev sys proc; do
        mountpoint -q "$root/$m" && umount -l "$root/$m"
    done
    return 0
}
cleanup() {
    for root in "${roots[@]}"; do release_root "$root"; done
    rm -rf --one-file-system "$work"
}
trap cleanup EXIT

# Makes a clean chroot of the release in a new folder and mounts what
# programs inside it need; prints the folder.
make_root() {
    local root="$work/$1"
    roots+=("$root")
    if [ ! -f "$work/base.tar" ]; then
        mmdebstrap --variant=apt --aptopt='Acquire::Check-Valid-Until "false"' \
                   "$release" "$work/base.tar" >"$logs/mmdebstrap.log" 2>&1 \
            || { echo "$release: mmdebstrap cannot make the base system: see $logs/mmdebstrap.log" >&2; exit 3; }
    fi
    mkdir "$root"
    tar -xf "$work/base.tar" -C "$root"
    mount -t proc proc "$root/proc"
    mount -t sysfs sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount -t devpts -o newinstance devpts "$root/dev/pts"
    mount -t tmpfs tmpfs "$root/dev/shm"
}

# Runs a shell command as root in a chroot, with a login's clean environment.
in_root() {
    chroot "$1" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$2"
}

echo "$release: ./test.sh from a fresh clone (log: $logs/test.log)"
make_root test
git clone -q "$PWD" "$work/test/root/duruv"
status=0
in_root "$work/test" "cd /root/duruv && ./test.sh" >"$logs/test.log" 2>&1 || status=$?
grep -E "^(The .* suite ran|test.sh: |install-deps.sh: )" "$logs/test.log" | sed "s/^/$release: /" || true
echo "$release: ./test.sh exited with $status"
release_root "$work/test"
rm -rf --one-file-system "$work/test"

echo "$release: the package built here, installed in a clean chroot (log: $logs/package.log)"
deb="$(./package.sh deb 2>"$logs/package-build.log" | tail -n 1)"
make_root package
cp -r "$deb" tools harness "$work/package/root/"
played=0
in_root "$work/package" "set -e
    apt-get update -qq
    apt-get install -y -qq /root/$(basename "$deb")
    /root/tools/install-deps.sh headless
    cd /root && python3 -m harness.program /usr/games/duruv" >"$logs/package.log" 2>&1 || played=$?
echo "$release: installing and playing the package exited with $played"
[ $status -eq 0 ] && [ $played -eq 0 ]
