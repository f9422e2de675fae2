#!/usr/bin/env bash
# The packages as a Windows user meets them, under Wine: the ZIP unpacked into a folder of
# an awkward name runs from there and connects; the installer asks for no rights, installs
# silently for one user and for everyone, the installed program starts and connects; an
# upgrade and the uninstaller end a running copy the polite way; the uninstaller removes
# the program and keeps the user's bindings, unless asked to remove them too. Run inside
# scripts/winenv, with the button-line server listening:
#   tests/package/package_test.sh PACKAGES_DIR READER_EXE
set -uo pipefail
packages=$(realpath "$1")
reader=$2
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

bindings='HKCU\Software\VB and VBA Program Settings\Buttonwise'
user_dir=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")
installed="$user_dir/Programs/Buttonwise"

# The window read from outside, within a deadline.
read_window() { timeout --kill-after=5 30 wine "$reader" "$@"; }
# Waits until the running Buttonwise reports the connection; false after about a minute.
connected() {
  for _ in $(seq 60); do
    read_window --wait 1 2>/dev/null | grep -q "status picture: Connected" && return 0
  done
  return 1
}
log_errors() { read_window 2>/dev/null | grep "^log: error" || true; }
end_buttonwise() {
  timeout 30 wine taskkill /IM Buttonwise.exe /F >/dev/null 2>&1
  timeout 60 wineserver -w 2>/dev/null || true
}
# Every installer and uninstaller run has a deadline: one that waits for an answer in a
# silent run would hang the test.
run_setup() {
  timeout --kill-after=10 180 wine "$@" || fail "$(basename "$1") ${2:-} failed or hung"
  timeout 60 wineserver -w || fail "programs still running 60 s after $(basename "$1")"
}
# Starts the program in the background, connected; $running is its process.
start_connected() {
  wine "$1" >/dev/null 2>&1 &
  running=$!
  connected
}
# The running copy ended by itself with status 0 (its window asked it to), not killed, and
# its tray window is gone with it.
ended_politely() {
  if ! timeout 30 tail --pid="$running" -f /dev/null; then
    end_buttonwise  # for the steps after this failure
    return 1
  fi
  wait "$running" 2>/dev/null
  local status=$?
  # The reader says "no Buttonwise main window" when there is none: nothing left behind.
  local shown
  shown=$(read_window 2>&1)
  [ "$status" -eq 0 ] && [[ $shown == *"no Buttonwise main window"* ]]
}
# The level the manifest of a program asks for.
requested_level() { grep -a -o 'requestedExecutionLevel level="[a-zA-Z]*"' "$1" | head -n 1; }

# 1. The portable ZIP, unpacked anywhere: in a folder of an awkward name, deeper than the
# 260 characters of old Windows paths.
zip=$(ls "$packages"/*-win64.zip)
place="$(mktemp -d)/Fernbedienung ü$(printf '/%s' $(seq -f 'Ordner-mit-einem-langen-Namen-%02g' 1 9))"
mkdir -p "$place"
(cd "$place" && cmake -E tar xf "$zip")
folder=$(ls -d "$place"/Buttonwise-*)
for f in Buttonwise.exe KeyMap.ini Readme.txt LICENSE.txt; do
  [ -f "$folder/$f" ] && pass "the ZIP holds $f" || fail "the ZIP lacks $f"
done
if start_connected "$folder/Buttonwise.exe"; then pass "the unpacked program connects"; else fail "the unpacked program did not connect"; fi
errors=$(log_errors)
[ -z "$errors" ] && pass "it found its key table" || fail "errors in its log: $errors"
end_buttonwise

# 2. The installer, silently, for this user. It asks for no rights: a per-user install
# shows no prompt, and a per-machine one elevates only the part that needs it.
setup=$(ls "$packages"/*-setup.exe)
level=$(requested_level "$setup")
[ "$level" = 'requestedExecutionLevel level="asInvoker"' ] && pass "the installer asks for no rights" ||
  fail "the installer's manifest asks: $level"
run_setup "$setup" /S
[ -f "$installed/Buttonwise.exe" ] && pass "installed into $installed" || fail "nothing in $installed"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Buttonwise 2>/dev/null |
  grep -q 'Buttonwise.exe' && pass "starts at logon" || fail "no Run entry"
find "$(dirname "$user_dir")" -iname 'Buttonwise.lnk' | grep -q . && pass "Start-menu shortcut" ||
  fail "no Start-menu shortcut"
if start_connected "$installed/Buttonwise.exe"; then pass "the installed program connects"; else fail "the installed program did not connect"; fi
# An upgrade over the running copy: asked to end, it ends, and the new file takes its place.
run_setup "$setup" /S
ended_politely && pass "an upgrade ended the running copy politely" ||
  fail "an upgrade left the running copy, or killed it"
[ -f "$installed/Buttonwise.exe" ] && pass "upgraded in place" || fail "nothing in $installed after the upgrade"

# 3. Uninstalling, while a copy runs, keeps the bindings; with /RemoveBindings it removes them.
wine reg add "$bindings\\Key" /v '#ListCount' /d 0 /f >/dev/null 2>&1
start_connected "$installed/Buttonwise.exe" || fail "the installed program did not connect again"
run_setup "$installed/Uninstall.exe" /S "_?=$(winepath -w "$installed")"
ended_politely && pass "uninstalling ended the running copy politely" ||
  fail "uninstalling left the running copy, or killed it"
[ ! -f "$installed/Buttonwise.exe" ] && pass "the uninstaller removed the program" ||
  fail "Buttonwise.exe is still there"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Buttonwise >/dev/null 2>&1 &&
  fail "the Run entry is still there" || pass "the Run entry is gone"
wine reg query "$bindings\\Key" /v '#ListCount' >/dev/null 2>&1 && pass "the bindings were kept" ||
  fail "the bindings were removed"

run_setup "$setup" /S
run_setup "$installed/Uninstall.exe" /S /RemoveBindings "_?=$(winepath -w "$installed")"
wine reg query "$bindings\\Key" >/dev/null 2>&1 && fail "the bindings are still there" ||
  pass "/RemoveBindings removed the bindings"

# 4. For everyone, silently: Program Files, the machine's uninstall entry, the Run key of the
# user who installed it, and an uninstaller that asks for no rights either.
machine=$(winepath -u "$(wine cmd /c echo %ProgramW6432% 2>/dev/null | tr -d '\r')")/Buttonwise
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Buttonwise'
run_setup "$setup" /S /AllUsers
[ -f "$machine/Buttonwise.exe" ] && pass "installed for everyone into $machine" || fail "nothing in $machine"
wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q '/AllUsers' &&
  pass "the machine's uninstall entry" || fail "no uninstall entry under HKLM"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Buttonwise 2>/dev/null |
  grep -q 'Program Files' && pass "the installing user's Run key" || fail "no Run entry for the user"
level=$(requested_level "$machine/Uninstall.exe")
[ "$level" = 'requestedExecutionLevel level="asInvoker"' ] && pass "the uninstaller asks for no rights" ||
  fail "the uninstaller's manifest asks: $level"
run_setup "$machine/Uninstall.exe" /S /AllUsers "_?=$(winepath -w "$machine")"
[ ! -f "$machine/Buttonwise.exe" ] && ! wine reg query "$uninstall_key" >/dev/null 2>&1 &&
  pass "uninstalled for everyone" || fail "the per-machine install is still there"

echo "package tests: $failures failed"
[ "$failures" -eq 0 ]
