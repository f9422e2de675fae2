#!/usr/bin/env bash
# The packages as a Windows user meets them, under Wine: the ZIP unpacked into a folder of
# an awkward name runs from there and connects; the installer installs silently, the
# installed program starts and connects; the uninstaller removes the program and keeps the
# user's bindings, unless asked to remove them too. Run inside scripts/winenv, with the
# button-line server listening:  tests/package/package_test.sh PACKAGES_DIR READER_EXE
set -uo pipefail
packages=$(realpath "$1")
reader=$2
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

bindings='HKCU\Software\VB and VBA Program Settings\Buttonwise'
user_dir=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")
installed="$user_dir/Programs/Buttonwise"

# Waits until the running Buttonwise reports the connection; false after about a minute.
connected() {
  for _ in $(seq 60); do
    wine "$reader" --wait 1 2>/dev/null | grep -q "status picture: Connected" && return 0
  done
  return 1
}
log_errors() { wine "$reader" 2>/dev/null | grep "^log: error" || true; }
end_buttonwise() { wine taskkill /IM Buttonwise.exe /F >/dev/null 2>&1; wineserver -w 2>/dev/null || true; }

# 1. The portable ZIP, unpacked anywhere.
zip=$(ls "$packages"/*-win64.zip)
place="$(mktemp -d)/Fernbedienung ü"
mkdir -p "$place"
(cd "$place" && cmake -E tar xf "$zip")
folder=$(ls -d "$place"/Buttonwise-*)
for f in Buttonwise.exe KeyMap.ini Readme.txt LICENSE.txt; do
  [ -f "$folder/$f" ] && pass "the ZIP holds $f" || fail "the ZIP lacks $f"
done
wine "$folder/Buttonwise.exe" >/dev/null 2>&1 &
if connected; then pass "the unpacked program connects"; else fail "the unpacked program did not connect"; fi
errors=$(log_errors)
[ -z "$errors" ] && pass "it found its key table" || fail "errors in its log: $errors"
end_buttonwise

# 2. The installer, silently, for this user.
setup=$(ls "$packages"/*-setup.exe)
wine "$setup" /S
wineserver -w
[ -f "$installed/Buttonwise.exe" ] && pass "installed into $installed" || fail "nothing in $installed"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Buttonwise 2>/dev/null |
  grep -q 'Buttonwise.exe' && pass "starts at logon" || fail "no Run entry"
find "$(dirname "$user_dir")" -iname 'Buttonwise.lnk' | grep -q . && pass "Start-menu shortcut" ||
  fail "no Start-menu shortcut"
wine "$installed/Buttonwise.exe" >/dev/null 2>&1 &
if connected; then pass "the installed program connects"; else fail "the installed program did not connect"; fi
end_buttonwise

# 3. Uninstalling keeps the bindings; with /RemoveBindings it removes them.
wine reg add "$bindings\\Key" /v '#ListCount' /d 0 /f >/dev/null 2>&1
wine "$installed/Uninstall.exe" /S "_?=$(winepath -w "$installed")"
wineserver -w
[ ! -f "$installed/Buttonwise.exe" ] && pass "the uninstaller removed the program" ||
  fail "Buttonwise.exe is still there"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Buttonwise >/dev/null 2>&1 &&
  fail "the Run entry is still there" || pass "the Run entry is gone"
wine reg query "$bindings\\Key" /v '#ListCount' >/dev/null 2>&1 && pass "the bindings were kept" ||
  fail "the bindings were removed"

wine "$setup" /S
wineserver -w
wine "$installed/Uninstall.exe" /S /RemoveBindings "_?=$(winepath -w "$installed")"
wineserver -w
wine reg query "$bindings\\Key" >/dev/null 2>&1 && fail "the bindings are still there" ||
  pass "/RemoveBindings removed the bindings"

echo "package tests: $failures failed"
[ "$failures" -eq 0 ]
