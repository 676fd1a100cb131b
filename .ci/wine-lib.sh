# Sourced by the scripts that run programs in the Wine root of
# .ci/wine-root.sh: the mounts a chroot needs, the environment Wine runs
# with there, and the end of a run. Callers hold the root's lock (flock on
# ROOT.lock), so ending a run ends only their own processes.

wine_root_mounted=()

# wine_root_mount ROOT: mounts proc, sys, dev and dev/pts in ROOT where they
# are not mounted yet; wine_root_unmount takes back what it mounted.
wine_root_mount() {
  local m
  for m in proc sys dev dev/pts; do
    mountpoint -q "$1/$m" && continue
    case $m in
      proc) mount -t proc proc "$1/proc" ;;
      sys) mount -t sysfs sys "$1/sys" ;;
      *) mount --bind "/$m" "$1/$m" ;;
    esac
    wine_root_mounted+=("$1/$m")
  done
}

wine_root_unmount() {
  local i
  for ((i = ${#wine_root_mounted[@]} - 1; i >= 0; i--)); do
    umount "${wine_root_mounted[i]}" 2>/dev/null || umount -l "${wine_root_mounted[i]}" 2>/dev/null || true
  done
  wine_root_mounted=()
}

# wine_root_enter ROOT INNER: mounts ROOT and sets wine_chroot, the command
# that runs its arguments there with the home and the Wine prefix under
# INNER (a folder as the root sees it). wine_in_root runs it.
wine_root_enter() {
  wine_root=$1
  wine_chroot=(chroot "$wine_root" /usr/bin/env -i HOME="$2/home" PATH=/usr/local/bin:/usr/bin:/bin
    LANG=en_US.UTF-8 WINEPREFIX="$2/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" GST_REGISTRY_FORK=no)
  wine_root_mount "$wine_root"
}

wine_in_root() {
  "${wine_chroot[@]}" "$@"
}

# wine_root_scratch ROOT NAME: makes this run's folder in ROOT's /tmp (work,
# and inner, the same folder as the root sees it), enters the root with its
# home and prefix there, and leaves the root and removes the folder at exit.
wine_root_scratch() {
  mkdir -p "$1/tmp"
  work=$(mktemp -d "$1/tmp/$2.XXXXXX")
  inner=${work#"$1"}
  trap 'wine_root_leave; rm -rf --one-file-system "$work"' EXIT
  wine_root_enter "$1" "$inner"
}

# wine_root_leave: ends the Wine server of this run and whatever else still
# runs with its root in the Wine root, then unmounts.
wine_root_leave() {
  if [ -n "${wine_root:-}" ]; then
    wine_in_root /usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
    sleep 1
    local p
    for p in /proc/[0-9]*; do
      [[ $(readlink "$p/root" 2>/dev/null) == "$wine_root" ]] && kill -9 "${p#/proc/}" 2>/dev/null
    done
  fi
  wine_root_unmount
}
