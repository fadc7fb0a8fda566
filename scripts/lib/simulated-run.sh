# Shared by scripts/demo and scripts/measure-utility: the packaged utility on simulated modems,
# optionally on a virtual X display. Source it after setting `build` and `work` (both absolute);
# it leaves nothing running when the script ends.

flash="$build/app/tessary-flash"
pack="$build/tools/tessary-pack/tessary-pack"
modem_sim="$build/tools/tessary-modem-sim/tessary-modem-sim"
window_title="Orvell Tessary Software Upgrade"
lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for program in "$flash" "$pack" "$modem_sim"; do
  [ -x "$program" ] || { echo "$0: $program is missing; build first (make build)" >&2; exit 1; }
done

children=()
modem_pids=()
stop_children() {
  local pid
  for pid in "${children[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  children=()
}
trap stop_children EXIT

# intel_hex BASE COUNT SEED > FILE
intel_hex() {
  awk -v base="$1" -v count="$2" -v seed="$3" -f "$lib_dir/intel-hex.awk"
}

# start_modem COM OPTIONS...: a simulated modem as COMn, its commands and images in $work.
start_modem() {
  local com=$1
  shift
  "$modem_sim" --link "$work/com$com" --log "$work/com$com-commands.log" \
    --capture "$work/com$com-images.hex" "$@" > "$work/com$com-sim.out" &
  children+=($!)
  modem_pids+=($!)
  local _
  for _ in $(seq 100); do [ -L "$work/com$com" ] && return 0; sleep 0.05; done
  echo "$0: the simulated modem on COM$com did not start" >&2
  exit 1
}

# Ends every simulated modem, as SIGTERM ends them: their links go, their files are complete.
stop_modems() {
  local pid
  for pid in "${modem_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${modem_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  modem_pids=()
}

# The utility's ports are the links in $work (a port without a modem stays absent), and its
# drive C: is a private folder there.
export_utility_environment() {
  mkdir -p "$work/drive-c"
  chmod 700 "$work/drive-c"
  export TESSARY_COM1="$work/com1" TESSARY_COM2="$work/com2" TESSARY_COM3="$work/com3"
  export TESSARY_COM4="$work/com4" TESSARY_DRIVE_C="$work/drive-c"
}

# A virtual display of our own; exports DISPLAY.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display-number" \
    2> "$work/xvfb.err" &
  children+=($!)
  local _
  for _ in $(seq 100); do [ -s "$work/display-number" ] && break; sleep 0.05; done
  [ -s "$work/display-number" ] || { echo "$0: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$work/display-number")"
}

main_window() {
  xdotool search --sync --onlyvisible --name "^$window_title\$" | head -n 1
}

# press_keys KEYS: keys to the main window, as xdotool names them ("alt+f").
press_keys() {
  local window
  window=$(main_window)
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$1"
}

log_has() { grep -qxF "$1" "$work/flash.log"; }
