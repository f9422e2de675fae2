# Sourced by the scripts that build Buttonwise and show it on Wine: every step has a deadline,
# and a failure says which step failed and ends the script with a non-zero status.
#   step NAME SECONDS COMMAND...       runs the command once, within the time
#   wait_for NAME SECONDS COMMAND...   runs the command again and again until it succeeds; a
#                                      command that can hang bounds itself (`timeout`)
#   build_windows TARGET...            the packages, then the Windows build of the targets
#   virtual_desktop WIDTHxHEIGHT       (under scripts/winenv) every program of the prefix on
#                                      one Wine desktop with frames, a taskbar and a tray

step_script=$(basename "$0")
step_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The failure message goes where errors went when this was sourced, also from a step whose
# output the caller sends elsewhere.
exec {step_errors}>&2

fail() {
  echo "$step_script: $*" >&"$step_errors"
  exit 1
}

step() {
  local name=$1 seconds=$2
  shift 2
  timeout --kill-after=10 "$seconds" "$@" || fail "$name failed or took over $seconds s"
}

wait_for() {
  local name=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "waited $seconds s for $name"
    sleep 1
  done
}

build_windows() {
  step "installing the packages" 1200 "$step_root/scripts/setup"
  step "configuring the Windows build" 300 cmake --preset windows >/dev/null
  step "building ${*}" 1200 cmake --build --preset windows --target "$@"
}

# Programs started with a plain `wine` then join that desktop; a second
# `wine explorer /desktop=...` start into a running desktop can hang instead.
virtual_desktop() {
  step "making the Wine prefix a virtual desktop" 120 \
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  step "sizing the virtual desktop" 120 \
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f >/dev/null 2>&1
  # The desktop started for reg.exe had no size yet: it must end before the next start.
  step "restarting the Wine server" 120 wineserver -w
}
