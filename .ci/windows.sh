#!/usr/bin/env bash
# The Windows job: builds quibor15.dll with mingw-w64, registers it in a
# fresh Wine prefix with regsvr32, and runs the VBScript tests
# (tests/windows/*.vbs) under Wine's cscript and the C++ COM client
# against it. Installs what it needs; safe to run again. Prints
# "N passed, M failed" and exits non-zero on a failure.
#
#   QUIBOR15_WIN_BUILD_DIR  build folder (default: build-win in the tree)
#   QUIBOR15_JOBS           parallel build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${QUIBOR15_WIN_BUILD_DIR:-$root/build-win}
jobs=${QUIBOR15_JOBS:-2}
started=$(date +%s)

# ---- packages
packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo -E"
  $sudo_cmd apt-get update -q >/dev/null
  $sudo_cmd apt-get install -y -q "${missing[@]}" >/dev/null
fi
wine=$(command -v wine64 || true)
[[ -n $wine ]] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[[ -n $wineserver ]] || wineserver=/usr/lib/wine/wineserver

# ---- build
cmake -S com -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" --target quibor15 com_client win32_backend_test dialogs_test -j "$jobs"
echo "Build: $(( $(date +%s) - started )) s"

# ---- a fresh Wine prefix, the DLL registered in it
prefix=$(mktemp -d /tmp/quibor15-wine.XXXXXX)
export HOME=${HOME:-/root}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# The system locale the locale tests expect.
export LANG=en_US.UTF-8
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT
"$wine" wineboot -i >/dev/null 2>&1 || true
# No display: Wine's null display driver still makes windows (tooltips,
# the forms' windows) and reports one 1024 x 768 monitor.
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
# The desktop starts again with it once this session of Wine has ended.
timeout 60 "$wineserver" -w >/dev/null 2>&1 || "$wineserver" -k >/dev/null 2>&1 || true

install_dir=$prefix/drive_c/quibor15
mkdir -p "$install_dir" "$prefix/drive_c/scratch"
cp "$build/quibor15.dll" "$build/tests-windows/com_client.exe" "$build/tests-windows/win32_backend_test.exe" \
  "$build/tests-windows/dialogs_test.exe" "$install_dir/"
dll='C:\quibor15\quibor15.dll'

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "ok - $1"; }
fail() { failed=$((failed + 1)); echo "not ok - $1"; }

if "$wine" regsvr32 /s "$dll" >/dev/null 2>&1; then pass "regsvr32 registers the DLL"; else fail "regsvr32 registers the DLL"; fi

# Runs a program under Wine and counts its "ok - " / "not ok - " lines; the
# program must end with a DONE line (Wine's VBScript stops silently at some
# built-ins, so a missing DONE is a failure of its own).
run_counted() {
  local name=$1
  shift
  local out
  out=$(timeout 120 "$wine" "$@" 2>&1 | tr -d '\r') || true
  echo "# $name"
  local ok bad
  ok=$(grep -c '^ok - ' <<<"$out" || true)
  bad=$(grep -c '^not ok - ' <<<"$out" || true)
  grep -E '^(ok|not ok) - ' <<<"$out" | sed 's/^/  /' || true
  passed=$((passed + ok))
  failed=$((failed + bad))
  if [[ $(grep -v '^[[:space:]]*$' <<<"$out" | tail -n 1) == DONE* ]]; then
    pass "$name ran to its end"
  else
    fail "$name ran to its end (last lines below)"
    tail -n 5 <<<"$out" | sed 's/^/  | /'
  fi
}

vbs() { echo "Z:$(sed 's|/|\\|g' <<<"$root/tests/windows/$1")"; }

run_counted "string code" cscript //nologo "$(vbs string_code.vbs)"
run_counted "locale" cscript //nologo "$(vbs locale.vbs)"
run_counted "monitors" cscript //nologo "$(vbs monitors.vbs)"
run_counted "calling conventions" cscript //nologo "$(vbs calling.vbs)"
run_counted "manifest" cscript //nologo "$(vbs manifest.vbs)" 'C:\scratch' 'C:\quibor15'
run_counted "events through a buddy object" cscript //nologo "$(vbs events.vbs)"
run_counted "form utilities, tooltips and media" cscript //nologo "$(vbs runtime.vbs)"
run_counted "version (Wine's default)" cscript //nologo "$(vbs version.vbs)" default
"$wine" reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
run_counted "version (Windows XP)" cscript //nologo "$(vbs version.vbs)" winxp
"$wine" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
run_counted "C++ client" 'C:\quibor15\com_client.exe' "$dll"
run_counted "Windows backends" 'C:\quibor15\win32_backend_test.exe' "$dll"
run_counted "the component's own dialogs" 'C:\quibor15\dialogs_test.exe'

# Unregistering removes the ProgIDs again.
if "$wine" regsvr32 /s /u "$dll" >/dev/null 2>&1; then pass "regsvr32 /u unregisters the DLL"; else fail "regsvr32 /u unregisters the DLL"; fi
if "$wine" reg query 'HKCR\quibor15.clsQuiborWizardA' >/dev/null 2>&1; then
  fail "the ProgIDs are gone after unregistering"
else
  pass "the ProgIDs are gone after unregistering"
fi

echo "Windows job: $(( $(date +%s) - started )) s"
echo "$passed passed, $failed failed"
((failed == 0))
