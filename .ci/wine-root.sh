#!/usr/bin/env bash
# Makes (or checks) the Debian 13 root the Windows job runs Wine in, and
# prints nothing else but its progress. 32-bit Windows programs need it:
# Debian's i386 Wine runs there as a whole under qemu-i386, which lets
# them run on kernels without any 32-bit support; 64-bit programs run
# natively beside them in the same prefix.
#
#   QUIBOR15_WINE_ROOT  where the root lives (default /var/cache/quibor15/root);
#                       kept between runs, made from nothing when missing
#   DEBIAN_MIRROR       default: the host's first Debian mirror
# Needs root and, to make the root, the network.
set -euo pipefail
root=${QUIBOR15_WINE_ROOT:-/var/cache/quibor15/root}
[[ $(id -u) -eq 0 ]] || { echo "the Wine root needs root (debootstrap, chroot)" >&2; exit 2; }
mkdir -p "$(dirname "$root")"
log=$(dirname "$root")/root.log

mirror=${DEBIAN_MIRROR:-$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)}
mirror=${mirror:-http://deb.debian.org/debian}

# A root is complete once its last step has written this file.
ready=$root/etc/quibor15-root
# GStreamer's base and good plugins (both architectures) are what Wine's
# multimedia service decodes WAV and MP3 files with.
packages=(wine wine64 wine32:i386 qemu-user fonts-wine
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386)
[[ -f $ready && $(cat "$ready") == "${packages[*]}" ]] && exit 0

if [[ ! -x $root/usr/bin/apt-get ]]; then
  command -v debootstrap >/dev/null || {
    apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap >/dev/null
  }
  echo "Making the Wine root in $root (debootstrap trixie from $mirror)"
  rm -rf --one-file-system "$root"
  debootstrap --variant=minbase trixie "$root" "$mirror" >"$log" 2>&1 || {
    tail -n 20 "$log"
    exit 2
  }
fi

source "$(dirname "$0")/wine-lib.sh"
trap wine_root_unmount EXIT
wine_root_mount "$root"

echo "Installing ${packages[*]} in the Wine root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
chroot "$root" dpkg --add-architecture i386
chroot "$root" apt-get update -q >>"$log" 2>&1 || {
  tail -n 20 "$log"
  exit 2
}
# Two i386 maintainer scripts (glib, gdk-pixbuf) print "Exec format error"
# here; dpkg carries on and the install succeeds.
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${packages[@]}" \
  >>"$log" 2>&1 || {
  tail -n 20 "$log"
  exit 2
}
chroot "$root" apt-get clean

# Wine's 64-bit side starts a 32-bit process by exec'ing wine-preloader,
# which Debian does not ship: this one hands the i386 loader to qemu-i386.
cat >"$root/usr/lib/wine/wine-preloader" <<'EOF'
#!/bin/sh
WINELOADERNOEXEC=1 exec /usr/bin/qemu-i386 "$@"
EOF
chmod 755 "$root/usr/lib/wine/wine-preloader"
# With wine32 installed /usr/bin/wine picks the i386 loader, which the
# kernel may not run: always enter through the 64-bit one.
mkdir -p "$root/usr/local/bin"
printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$root/usr/local/bin/wine"
chmod 755 "$root/usr/local/bin/wine"
echo "${packages[*]}" >"$ready"
