#!/usr/bin/env bash
# The Windows job: builds quibor15.dll for 64-bit and for 32-bit Windows with
# mingw-w64, registers both in one fresh Wine prefix (64-bit, with its
# 32-bit side), and runs every Windows suite once per bitness: the
# VBScript and JScript tests (tests/windows/) under that bitness's cscript,
# the C++ COM client and the test of the Windows backends built for it.
# Wine runs in a Debian 13 root (.ci/wine-root.sh) where 32-bit programs
# run under qemu-i386, so the job needs no 32-bit support of the kernel.
# Installs what it needs; safe to run again. Prints "32-bit: N passed, M
# failed" and "64-bit: ..." and exits non-zero on a failure.
#
#   QUIBOR15_WIN_BUILD_DIR    64-bit build folder (default: build-win in the tree)
#   QUIBOR15_WIN32_BUILD_DIR  32-bit build folder (default: build-win32 in the tree)
#   QUIBOR15_WINE_ROOT        the Wine root, kept between runs (default /var/cache/quibor15/root)
#   QUIBOR15_JOBS             parallel build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)
build64=${QUIBOR15_WIN_BUILD_DIR:-$src/build-win}
build32=${QUIBOR15_WIN32_BUILD_DIR:-$src/build-win32}
jobs=${QUIBOR15_JOBS:-2}
wroot=${QUIBOR15_WINE_ROOT:-/var/cache/quibor15/root}
started=$(date +%s)

# ---- packages
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo -E"
packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libwine-dev
  debootstrap sox lame)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -q >/dev/null
  $sudo_cmd apt-get install -y -q "${missing[@]}" >/dev/null
fi

# ---- build (the 32-bit build reuses the 64-bit build's native generators)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
build_dll() { # folder toolchain-file [cmake arguments]
  local dir=$1 toolchain=$2
  shift 2
  cmake -S com -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$toolchain" \
    "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" --target quibor15 com_client win32_backend_test dialogs_test wizard_host windows_bench -j "$jobs"
}
build_dll "$build64" mingw-w64.cmake
build_dll "$build32" mingw-w64-i686.cmake -DQUIBOR15_HOST_TOOLS_DIR="$build64/host-tools"
echo "Build: $(($(date +%s) - started)) s"

# ---- the Wine root, and this run's folder in it
[ "$(id -u)" -eq 0 ] || { echo "the Windows job runs Wine in a chroot: run it as root" >&2; exit 2; }
# One run at a time per root: each mounts into it and ends what runs there.
mkdir -p "$(dirname "$wroot")"
exec 9>"$wroot.lock"
flock 9
QUIBOR15_WINE_ROOT="$wroot" bash "$src/.ci/wine-root.sh"
echo "Wine root: $(($(date +%s) - started)) s"

source "$src/.ci/wine-lib.sh"
wine_root_scratch "$wroot" quibor15

# Runs a Wine command in the root with its output in $work/out.txt (a
# file: Wine's services keep a pipe open long after the program ends).
wine_run() {
  timeout "${WINE_TIMEOUT:-300}" "${wine_chroot[@]}" wine "$@" >"$work/out.txt" 2>&1 </dev/null
}

# ---- a fresh prefix, headless and with sound going nowhere
mkdir -p "$work/home"
# Wine's sound driver plays into ALSA's null device.
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/home/.asoundrc"
wine_run wineboot -i || true
# No display: Wine's null display driver still makes windows (tooltips,
# the forms' windows) and reports one 1024 x 768 monitor.
wine_run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
wine_run reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f
# An unhandled exception would wait for ever on the debugger's dialog.
wine_run reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
# The desktop starts again with these once this session of Wine has ended.
timeout 60 "${wine_chroot[@]}" /usr/lib/wine/wineserver64 -w >/dev/null 2>&1 ||
  wine_in_root /usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
# One Wine session for all that follows: a server that stays, and Wine's
# services started here on /dev/null (they keep the first program's
# output open). Each program then starts in seconds, not tens of them.
wine_in_root /usr/lib/wine/wineserver64 -p >/dev/null 2>&1
timeout 120 "${wine_chroot[@]}" wine 'C:\windows\syswow64\cmd.exe' /c exit >/dev/null 2>&1 </dev/null || true
echo "Prefix: $(($(date +%s) - started)) s"

drive=$work/prefix/drive_c
mkdir -p "$drive/quibor15/64" "$drive/quibor15/32" "$drive/tests" "$drive/scratch" "$drive/media"
for b in 64 32; do
  [[ $b == 64 ]] && dir=$build64 || dir=$build32
  cp "$dir/quibor15.dll" "$dir/tests-windows/com_client.exe" "$dir/tests-windows/win32_backend_test.exe" \
    "$dir/tests-windows/dialogs_test.exe" "$dir/tests-windows/wizard_host.exe" "$drive/quibor15/$b/"
done
cp tests/windows/*.vbs tests/windows/*.js "$drive/tests/"
# What the media suite plays: a 5-second tone as WAV and as MP3.
sox -q -n -r 22050 -c 1 -b 16 "$drive/media/tone.wav" synth 5 sine 440 vol 0.5
lame --quiet -b 64 "$drive/media/tone.wav" "$drive/media/tone.mp3"

# ---- counting
declare -A passed=([32]=0 [64]=0) failed=([32]=0 [64]=0)
bits=64
pass() { passed[$bits]=$((passed[$bits] + 1)); echo "ok - $1"; }
fail() { failed[$bits]=$((failed[$bits] + 1)); echo "not ok - $1"; }
check_run() { # name wine-arguments...: passes when the command succeeds
  local name=$1
  shift
  if wine_run "$@"; then pass "$name"; else fail "$name"; fi
}

# Runs a program under Wine and counts its "ok - " / "not ok - " lines; the
# program must end with a DONE line (Wine's script engines stop silently at
# some built-ins, so a missing DONE is a failure of its own).
# RETRY=n: up to n more runs after a run that hung or stopped short of its
# DONE line (Wine's multimedia service sometimes deadlocks or takes its
# process down, most often in a 32-bit process under qemu), said so in the
# output; the last run counts.
ran_to_end() {
  # qemu's own report of a 32-bit process that faults while it exits
  # (seen after the multimedia service's threads) is no line of the test.
  [[ $(tr -d '\r' <"$work/out.txt" | grep -v -e '^[[:space:]]*$' -e '^qemu: uncaught target signal' |
    tail -n 1) == DONE* ]]
}
run_counted() {
  local name=$1 tries=${RETRY:-0}
  shift
  wine_run "$@" || true
  while ((tries-- > 0)) && ! ran_to_end; do
    echo "# $name: hung or stopped short, once more"
    wine_run "$@" || true
  done
  local out ok bad
  out=$(tr -d '\r' <"$work/out.txt")
  echo "# $name"
  ok=$(grep -c '^ok - ' <<<"$out" || true)
  bad=$(grep -c '^not ok - ' <<<"$out" || true)
  grep -E '^(ok|not ok) - ' <<<"$out" | sed 's/^/  /' || true
  passed[$bits]=$((passed[$bits] + ok))
  failed[$bits]=$((failed[$bits] + bad))
  if ran_to_end; then
    pass "$name ran to its end"
  else
    fail "$name ran to its end (last lines below)"
    tail -n 5 <<<"$out" | sed 's/^/  | /'
  fi
}

# A suite of each kind, run with the current bitness's programs.
vbs() { local name=$1 file=$2; shift 2; run_counted "$name" "$system\\cscript.exe" //nologo "C:\\tests\\$file" "$@"; }
# Wine's script host takes the engine from the extension (it ignores //E:).
js() { local name=$1 file=$2; shift 2; run_counted "$name" "$system\\cscript.exe" //nologo "C:\\tests\\$file" "$@"; }
exe() { local name=$1 file=$2; shift 2; run_counted "$name" "$here\\$file" "$@"; }
set_version() { # the Windows version Wine reports; none for its default
  if [[ -n ${1:-} ]]; then
    wine_run reg add 'HKCU\Software\Wine' /v Version /d "$1" /f
  else
    wine_run reg delete 'HKCU\Software\Wine' /v Version /f || true
  fi
}

# The Windows suites, each run once per bitness. $here is the folder of
# that bitness's DLL and test programs, $dll the DLL.
windows_suites() {
  vbs "string code" string_code.vbs
  vbs "locale" locale.vbs
  vbs "monitors" monitors.vbs
  vbs "calling conventions" calling.vbs
  vbs "manifest" manifest.vbs 'C:\scratch' "$here"
  vbs "events through a buddy object" events.vbs
  vbs "form utilities, tooltips, media and dialogs" runtime.vbs "$here"
  WINE_TIMEOUT=90 RETRY=4 vbs "media on the system's multimedia service" media.vbs 'C:\media'
  js "JScript client" client.js
  set_version win7
  vbs "version (Windows 7)" version.vbs win7
  set_version winxp
  vbs "version (Windows XP)" version.vbs winxp
  set_version
  exe "C++ client" com_client.exe "$dll"
  exe "Windows backends" win32_backend_test.exe "$dll"
  exe "the component's own dialogs" dialogs_test.exe
  exe "the wizard on a host form" wizard_host.exe
}

for bits in 64 32; do
  echo "== $bits-bit"
  if [[ $bits == 64 ]]; then system='C:\windows\system32'; else system='C:\windows\syswow64'; fi
  here="C:\\quibor15\\$bits"
  dll="$here\\quibor15.dll"
  check_run "regsvr32 registers the $bits-bit DLL" "$system\\regsvr32.exe" /s "$dll"
done
for bits in 64 32; do
  echo "== $bits-bit suites"
  if [[ $bits == 64 ]]; then system='C:\windows\system32'; else system='C:\windows\syswow64'; fi
  here="C:\\quibor15\\$bits"
  dll="$here\\quibor15.dll"
  t=$(date +%s)
  windows_suites
  echo "# $bits-bit suites: $(($(date +%s) - t)) s"
done

# Each bitness unregisters from its own registry view only; the ProgIDs,
# which both views share, stay while the other DLL is registered.
unregister() {
  check_run "regsvr32 /u unregisters the $bits-bit DLL" "$system\\regsvr32.exe" /s /u "C:\\quibor15\\$bits\\quibor15.dll"
}
bits=32 system='C:\windows\syswow64'
unregister
vbs "the 32-bit class after unregistering" registered.vbs no
bits=64 system='C:\windows\system32'
vbs "the 64-bit class meanwhile" registered.vbs yes
unregister
vbs "the 64-bit class after unregistering" registered.vbs no
if wine_run "$system\\reg.exe" query 'HKCR\quibor15.clsQuiborWizardA'; then
  fail "the ProgIDs are gone after unregistering both"
else
  pass "the ProgIDs are gone after unregistering both"
fi

echo "Windows job: $(($(date +%s) - started)) s"
echo "64-bit: ${passed[64]} passed, ${failed[64]} failed"
echo "32-bit: ${passed[32]} passed, ${failed[32]} failed"
((failed[32] + failed[64] == 0))
