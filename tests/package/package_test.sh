#!/usr/bin/env bash
# The packages as a Windows user meets them, under Wine: the ZIP runs from a folder of an
# awkward name; the installer asks for no rights and installs for one user and for everyone;
# an upgrade and the uninstaller end a running copy politely; the uninstaller keeps the user's
# bindings unless asked. Inside scripts/winenv, with the button-line server listening:
#   tests/package/package_test.sh PACKAGES_DIR READER_EXE
set -uo pipefail
packages=$(realpath "$1")
reader=$2
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# check WHAT COMMAND...: one line, ok or FAILED, naming what was checked.
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }
quietly() { "$@" >/dev/null 2>&1; }
not() { ! "$@"; }

bindings='HKCU\Software\VB and VBA Program Settings\Buttonwise'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
user_dir=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")
installed="$user_dir/Programs/Buttonwise"

# The window read from outside, within a deadline.
read_window() { timeout --kill-after=5 30 wine "$reader" "$@"; }
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
# Starts the program in the background ($running) and waits about a minute for it to report
# the connection.
start_connected() {
  wine "$1" >/dev/null 2>&1 &
  running=$!
  for _ in $(seq 60); do
    read_window --wait 1 2>/dev/null | grep -q "status picture: Connected" && return 0
  done
  return 1
}
# The running copy ended by itself with status 0 (its window asked it to), not killed, and
# its tray window is gone with it: the reader finds no main window.
ended_politely() {
  if ! timeout 30 tail --pid="$running" -f /dev/null; then
    end_buttonwise  # for the steps after this failure
    return 1
  fi
  wait "$running" 2>/dev/null && [[ $(read_window 2>&1) == *"no Buttonwise main window"* ]]
}
as_invoker() { grep -a -o 'requestedExecutionLevel level="[a-zA-Z]*"' "$1" | head -n 1 | grep -q asInvoker; }
has_value() { wine reg query "$1" /v "$2" 2>/dev/null | grep -q "$3"; }

# 1. The portable ZIP, unpacked anywhere: in a folder of an awkward name, deeper than the
# 260 characters of old Windows paths.
zip=$(ls "$packages"/*-win64.zip)
place="$(mktemp -d)/Fernbedienung ü$(printf '/%s' $(seq -f 'Ordner-mit-einem-langen-Namen-%02g' 1 9))"
mkdir -p "$place"
(cd "$place" && cmake -E tar xf "$zip")
folder=$(ls -d "$place"/Buttonwise-*)
for f in Buttonwise.exe KeyMap.ini Readme.txt LICENSE.txt; do check "the ZIP holds $f" test -f "$folder/$f"; done
check "the unpacked program connects" start_connected "$folder/Buttonwise.exe"
errors=$(read_window 2>/dev/null | grep "^log: error")
check "it found its key table, no errors in its log: $errors" test -z "$errors"
end_buttonwise

# 2. The installer, silently, for this user. It asks for no rights: a per-user install
# shows no prompt, and a per-machine one elevates only the part that needs it.
setup=$(ls "$packages"/*-setup.exe)
check "the installer asks for no rights" as_invoker "$setup"
run_setup "$setup" /S
check "installed into $installed" test -f "$installed/Buttonwise.exe"
check "starts at logon" has_value "$run_key" Buttonwise 'Buttonwise.exe'
check "Start-menu shortcut" test -n "$(find "$(dirname "$user_dir")" -iname 'Buttonwise.lnk')"
check "the installed program connects" start_connected "$installed/Buttonwise.exe"
# An upgrade over the running copy: asked to end, it ends, and the new file takes its place.
run_setup "$setup" /S
check "an upgrade ended the running copy politely" ended_politely
check "upgraded in place" test -f "$installed/Buttonwise.exe"

# 3. Uninstalling, while a copy runs, keeps the bindings; with /RemoveBindings it removes them.
quietly wine reg add "$bindings\\Key" /v '#ListCount' /d 0 /f
check "the installed program connects again" start_connected "$installed/Buttonwise.exe"
run_setup "$installed/Uninstall.exe" /S "_?=$(winepath -w "$installed")"
check "uninstalling ended the running copy politely" ended_politely
check "the uninstaller removed the program" test ! -f "$installed/Buttonwise.exe"
check "the Run entry is gone" not quietly wine reg query "$run_key" /v Buttonwise
check "the bindings were kept" quietly wine reg query "$bindings\\Key" /v '#ListCount'
run_setup "$setup" /S
run_setup "$installed/Uninstall.exe" /S /RemoveBindings "_?=$(winepath -w "$installed")"
check "/RemoveBindings removed the bindings" not quietly wine reg query "$bindings\\Key"

# 4. For everyone, silently: Program Files, the machine's uninstall entry, the Run key of the
# user who installed it, and an uninstaller that asks for no rights either.
machine=$(winepath -u "$(wine cmd /c echo %ProgramW6432% 2>/dev/null | tr -d '\r')")/Buttonwise
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Buttonwise'
run_setup "$setup" /S /AllUsers
check "installed for everyone into $machine" test -f "$machine/Buttonwise.exe"
check "the machine's uninstall entry" has_value "$uninstall_key" UninstallString '/AllUsers'
check "the installing user's Run key" has_value "$run_key" Buttonwise 'Program Files'
check "the uninstaller asks for no rights" as_invoker "$machine/Uninstall.exe"
run_setup "$machine/Uninstall.exe" /S /AllUsers "_?=$(winepath -w "$machine")"
check "uninstalled for everyone: no program" test ! -f "$machine/Buttonwise.exe"
check "uninstalled for everyone: no uninstall entry" not quietly wine reg query "$uninstall_key"

echo "package tests: $failures failed"
[ "$failures" -eq 0 ]
