#!/bin/sh
# Installs the Debian packages the build, the demo and the tests need, and makes this
# machine run 32-bit Windows programs: 32-bit Wine, and where the kernel cannot execute
# 32-bit Linux programs, an emulator registered for them.
# Quick when everything is present: only what is missing goes to apt-get.
set -eu

PACKAGES="cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth \
googletest mscompress imagemagick x11-utils x11-apps python3 fonts-wine fonts-dejavu-core g++ mtools"

# Debian 12's qemu 7.2 spends about a minute in every start of 32-bit Wine (its guest
# address-space bookkeeping walks Wine's large reservations page by page); the backported
# qemu starts it in under a second.
BACKPORTS=bookworm-backports
BACKPORTS_LIST=/etc/apt/sources.list.d/kvox-bookworm-backports.sources
EMULATOR=/usr/bin/qemu-i386
BINFMT=/proc/sys/fs/binfmt_misc
# i386 ELF executables and shared objects, as qemu's own binfmt configuration names them.
I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

die() { echo "install-deps: $*" >&2; exit 1; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }

need_root() {
    [ "$(id -u)" -eq 0 ] || die "$1; run as root to set it up"
}

updated=""
apt_update() {
    [ -n "$updated" ] && return 0
    apt-get update -qq || die "apt-get update failed: the package registry cannot be reached"
    updated=1
}

apt_install() { # [OPTIONS] PACKAGE...
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -qq --no-install-recommends "$@" || die "apt-get could not install: $*"
}

# Runs a 32-bit Linux program: the loader of the 32-bit C library, which wine32 brings.
runs_32bit() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

# ---- The 64-bit tool set
missing=""
for p in $PACKAGES; do installed "$p" || missing="$missing $p"; done

# ---- 32-bit Wine
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root "the i386 architecture is missing"
    echo "install-deps: adding the i386 architecture"
    dpkg --add-architecture i386
    updated=""
fi
installed wine32:i386 || missing="$missing wine32:i386"

if [ -n "$missing" ]; then
    need_root "missing packages:$missing"
    echo "install-deps: installing$missing"
    apt_update
    # shellcheck disable=SC2086
    apt_install $missing
fi

# ---- A kernel that cannot execute 32-bit programs gets the emulator
runs_32bit && exit 0

if [ ! -x "$EMULATOR" ] || ! installed qemu-user; then
    need_root "this kernel runs no 32-bit programs and the emulator is missing"
    if ! grep -rqs "$BACKPORTS" /etc/apt/sources.list /etc/apt/sources.list.d/; then
        echo "install-deps: adding $BACKPORTS for the emulator"
        printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
            "$BACKPORTS" /usr/share/keyrings/debian-archive-keyring.gpg > "$BACKPORTS_LIST"
        updated=""
    fi
    echo "install-deps: installing the emulator qemu-user from $BACKPORTS"
    apt_update
    apt_install -t "$BACKPORTS" qemu-user
    [ -x "$EMULATOR" ] || die "qemu-user is installed but $EMULATOR is missing"
fi

need_root "32-bit programs need the emulator registered with binfmt_misc"
if [ ! -e "$BINFMT/register" ]; then
    mount -t binfmt_misc binfmt_misc "$BINFMT" || die "the kernel refused to mount binfmt_misc"
fi
if [ -e "$BINFMT/qemu-i386" ] && ! grep -qx "interpreter $EMULATOR" "$BINFMT/qemu-i386"; then
    echo -1 > "$BINFMT/qemu-i386"  # an entry for another emulator
fi
if [ ! -e "$BINFMT/qemu-i386" ]; then
    echo "install-deps: registering $EMULATOR for 32-bit programs"
    # F: the kernel opens the emulator now, so it also serves programs in other mount namespaces.
    printf '%s' ":qemu-i386:M::$I386_MAGIC:$I386_MASK:$EMULATOR:F" > "$BINFMT/register" ||
        die "the kernel refused the binfmt_misc registration of $EMULATOR"
fi
runs_32bit || die "32-bit programs still do not run with $EMULATOR registered"
