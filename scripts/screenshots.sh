#!/usr/bin/env bash
# Pictures of the component's own dialogs and of the wizard on real
# windows: builds quibor15.dll, dialog_pictures.exe and wizard_host.exe,
# starts Xvfb, registers the DLL in a fresh Wine prefix on Wine's X11
# driver, lets dialog_pictures save each dialog and wizard_host the wizard
# on its host form as the screen shows them, and writes them as PNG into
# docs/pictures/ (windows-language.png, windows-monitors.png,
# windows-wizard.png). Not part of the tests.
#
#   QUIBOR15_WIN_BUILD_DIR  build folder (default: build-win in the tree)
#   QUIBOR15_DISPLAY        the Xvfb display number (default 97)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${QUIBOR15_WIN_BUILD_DIR:-$root/build-win}
display=:${QUIBOR15_DISPLAY:-97}
out=$root/docs/pictures
wine=$(command -v wine64 || true)
[[ -n $wine ]] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[[ -n $wineserver ]] || wineserver=/usr/lib/wine/wineserver

cmake -S com -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" --target quibor15 dialog_pictures wizard_host -j "${QUIBOR15_JOBS:-2}"

prefix=$(mktemp -d /tmp/quibor15-pictures.XXXXXX)
export HOME=${HOME:-/root}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 LANG=en_US.UTF-8
export DISPLAY=$display
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
sleep 1
"$wine" wineboot -i >/dev/null 2>&1 || true
# No window manager: Wine draws the frames and captions itself.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
timeout 60 "$wineserver" -w >/dev/null 2>&1 || true

mkdir -p "$prefix/drive_c/quibor15" "$prefix/drive_c/pictures" "$out"
cp "$build/quibor15.dll" "$build/tests-windows/dialog_pictures.exe" "$build/tests-windows/wizard_host.exe" \
  "$prefix/drive_c/quibor15/"
"$wine" regsvr32 /s 'C:\quibor15\quibor15.dll'
timeout 120 "$wine" 'C:\quibor15\dialog_pictures.exe' 'C:\pictures' 2>&1 | tr -d '\r' | grep -E '^(ok|not ok)' || true
timeout 120 "$wine" 'C:\quibor15\wizard_host.exe' --picture 'C:\pictures\wizard.bmp' 2>&1 | tr -d '\r' |
  grep -E '^not ok|picture' || true

# BMP (24-bit, bottom-up) to PNG with the standard library only.
python3 - "$prefix/drive_c/pictures" "$out" <<'EOF'
import struct, sys, zlib, pathlib
src, dst = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
for name in ("language", "monitors", "wizard"):
    bmp = src / f"{name}.bmp"
    if not bmp.exists():
        print(f"no picture of {name}")
        continue
    data = bmp.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = data[offset + (abs(height) - 1 - y if height > 0 else y) * stride:][: width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
        rows.append(b"\0" + bytes(rgb))
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
    target = dst / f"windows-{name}.png"
    target.write_bytes(png)
    print(f"wrote {target.relative_to(dst.parent.parent)} ({width} x {abs(height)})")
EOF
