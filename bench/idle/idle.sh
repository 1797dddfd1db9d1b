#!/usr/bin/env bash
# What a clock costs while it just runs. Each clock runs alone on one Xvfb (with openbox and
# trayer) and is measured over the same span after it has settled: its CPU seconds and the X
# server's (the scheduler's exact per-thread count), its wake-ups per second (the times its
# threads went to sleep; being preempted on a busy machine is not a wake-up), its peak RSS and
# its USS (private pages at the end). Clocks: kwemo in the first-run look, `xclock -update 1`,
# `buici-clock` and the plain Qt clock built here, also as "plainqt1s" (ticking every 200 ms
# like kwemo, drawing only when the second changes, with a date line: the floor for a Qt clock
# that does what kwemo's first-run face does) and as "qttick" (the 200 ms timer alone, nothing
# drawn after the first paint: what any Qt program with that tick pays);
# at 128 px and at 1920x1080 (kwemo and the plain clocks over a JPEG made here). Then the median
# time from launch to the window being mapped, kwemo beside the plain clock and beside the plain
# clock started as kwemo starts (a splash with a line of text painted first, a date line).
# Ratios are against xclock (CPU) and the plain Qt clock (memory, launch). The machine's load
# average is printed with every row: other work on the machine inflates every figure.
# Usage: bench/idle/idle.sh path/to/kwemo path/to/bench_plain_clock [seconds, 60] [launches, 7]
# (0 seconds: the launches only)
root=$(cd "$(dirname "$0")/../.." && pwd)
PLAIN=$(readlink -f "${2:?usage: $0 kwemo bench_plain_clock [seconds] [launches]}")
seconds=${3:-60}
launches=${4:-7}
source "$root/tests/e2e/lib.sh" "$1"
set +e
start_desktop --size 2000x1200

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^voluntary_ctxt_switches:/ {s += $2} END {printf "%d", s}'
}
peak_kib() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }
uss_kib() { awk '/^Private_(Clean|Dirty):/ {s += $2} END {print s}' "/proc/$1/smaps_rollup"; }
dirty_kib() { awk '/^Private_Dirty:/ {s += $2} END {print s}' "/proc/$1/smaps_rollup"; }
load() { cut -d' ' -f1-3 /proc/loadavg; }
any_window() { xdotool search --onlyvisible --pid "$1" '.*' >/dev/null 2>&1; }

# A photo-like JPEG: colour fields with noise, so that decoding and scaling have real work.
JPEG="$E2E_TMP/back.jpg"
convert -size 1600x1200 plasma:fractal -seed 7 +noise Gaussian -quality 85 "$JPEG" 2>/dev/null ||
  convert -size 1600x1200 gradient:navy-orange +noise Gaussian -quality 85 "$JPEG"

# kwemo's store: the first run answered once, then the size (outer = client + the 4-pixel frame
# on each side, in twips at 96 dpi) and the picture written in.
kwemo_store() {
  local w=$1 h=$2 picture=$3
  sed -i -e "s/^Left=.*/Left=0/I" -e "s/^Top=.*/Top=0/I" \
    -e "s/^Width=.*/Width=$(((w + 8) * 15))/I" -e "s/^Height=.*/Height=$(((h + 8) * 15))/I" \
    -e "s|^BackBMP=.*|BackBMP=$picture|I" "$STORE_FILE"
}
start_kwemo
answer_box "$KWEMO_PID" "Hello!"
wait_window "$KWEMO_PID" KWEMO 20 >/dev/null || fail "kwemo did not show its window"
kill -TERM "$KWEMO_PID"
wait_kwemo_exit 10

declare -A CPU XCPU RSS
row() {
  local name=$1 size=$2
  shift 2
  "$@" >/dev/null 2>&1 &
  local pid=$!
  E2E_PIDS+=($pid)
  wait_until 30 any_window "$pid" || { echo "$name did not map a window" >&2; kill $pid; return; }
  sleep 3  # start-up done, kwemo's greeting rolled away
  local c0 x0 s0 c1 x1 s1 l
  l=$(load)
  c0=$(cpu_ns $pid) x0=$(cpu_ns "$XVFB_PID") s0=$(switches $pid)
  sleep "$seconds"
  c1=$(cpu_ns $pid) x1=$(cpu_ns "$XVFB_PID") s1=$(switches $pid)
  local rss uss dirty
  rss=$(peak_kib $pid) uss=$(uss_kib $pid) dirty=$(dirty_kib $pid)
  kill -TERM $pid 2>/dev/null
  wait $pid 2>/dev/null
  RSS[$name$size]=$rss
  CPU[$name$size]=$(awk -v a="$c0" -v b="$c1" -v s="$seconds" 'BEGIN {printf "%.4f", (b - a) / 1e9 * 60 / s}')
  XCPU[$name$size]=$(awk -v a="$x0" -v b="$x1" -v s="$seconds" 'BEGIN {printf "%.4f", (b - a) / 1e9 * 60 / s}')
  awk -v n="$name" -v z="$size" -v c="${CPU[$name$size]}" -v x="${XCPU[$name$size]}" \
    -v w="$(((s1 - s0)))" -v s="$seconds" -v r="$rss" -v u="$uss" -v d="$dirty" -v l="$l" \
    'BEGIN {printf "%-12s %-9s %9.3f %9.3f %8.1f %8.1f %7.1f %7.1f   %s\n", n, z, c, x, w / s, r / 1024, u / 1024, d / 1024, l}'
}

echo "per 60 s of running; CPU in seconds; RSS = peak; USS = private pages at the end (with each"
echo "clock alone its libraries' pages count as private too), dirty = the private pages it wrote;"
echo "load = 1/5/15 min"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else printf "-"}'; }
if [ "$seconds" -gt 0 ]; then
printf '%-12s %-9s %9s %9s %8s %8s %7s %7s   %s\n' clock size "cpu s" "X cpu s" "wakes/s" "RSS MiB" "USS MiB" "dirty" load
kwemo_store 128 128 ""
row kwemo 128 "$KWEMO"
row xclock 128 xclock -update 1 -geometry 128x128+0+0
row buici 128 buici-clock -geometry 128x128+0+0
row plainqt 128 "$PLAIN" 128x128
row plainqt1s 128 "$PLAIN" --each-second --text 128x128
row qttick 128 "$PLAIN" --tick-only 128x128
kwemo_store 1920 1080 "$JPEG"
row kwemo 1080p "$KWEMO"
row xclock 1080p xclock -update 1 -geometry 1920x1080+0+0
row plainqt 1080p "$PLAIN" 1920x1080 "$JPEG"
row plainqt1s 1080p "$PLAIN" --each-second --text 1920x1080 "$JPEG"

echo "kwemo / xclock CPU: 128 px $(ratio "${CPU[kwemo128]}" "${CPU[xclock128]}")x, 1080p $(ratio "${CPU[kwemo1080p]}" "${CPU[xclock1080p]}")x;" \
  "X server: 128 px $(ratio "${XCPU[kwemo128]}" "${XCPU[xclock128]}")x, 1080p $(ratio "${XCPU[kwemo1080p]}" "${XCPU[xclock1080p]}")x;" \
  "kwemo / plain Qt CPU: 128 px $(ratio "${CPU[kwemo128]}" "${CPU[plainqt128]}")x;" \
  "plainqt1s / xclock CPU: 128 px $(ratio "${CPU[plainqt1s128]}" "${CPU[xclock128]}")x," \
  "qttick / xclock: $(ratio "${CPU[qttick128]}" "${CPU[xclock128]}")x," \
  "kwemo / plainqt1s CPU: 128 px $(ratio "${CPU[kwemo128]}" "${CPU[plainqt1s128]}")x, 1080p $(ratio "${CPU[kwemo1080p]}" "${CPU[plainqt1s1080p]}")x;" \
  "kwemo - plain Qt peak RSS: 128 px $(awk -v a="${RSS[kwemo128]}" -v b="${RSS[plainqt128]}" 'BEGIN {printf "%+.1f", (a - b) / 1024}') MiB," \
  "kwemo - plainqt1s: $(awk -v a="${RSS[kwemo128]}" -v b="${RSS[plainqt1s128]}" 'BEGIN {printf "%+.1f", (a - b) / 1024}') MiB"
fi

# Launch to mapped: the X server's MapNotify events on the root window (xev; the window
# manager's frame is mapped once the client window is), read as they come, so nothing polls the
# server meanwhile. kwemo maps its splash first, then the clock; a frame is the clock's when its
# client window carries the title. Prints "splash clock" in ms ("-" when not seen).
mapped_ms() {
  local title=$1
  shift
  local events="$E2E_TMP/map-events" line now frame seen=- mapped=-
  rm -f "$events" && mkfifo "$events"
  xev -root -event substructure >"$events" 2>/dev/null &
  local xev=$!
  exec 5<"$events"
  sleep 0.3  # xev has selected its events
  local t0=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 &
  local pid=$!
  while read -t 20 -r line <&5; do
    [[ $line == MapNotify* ]] || continue
    now=$EPOCHREALTIME
    read -r line <&5
    frame=${line#*window } frame=${frame%%,*}
    # By the title alone: the splash's class is KWEMO as well.
    if xwininfo -id "$frame" -children 2>/dev/null | grep -q "0x[0-9a-f]* \"$title\":"; then
      mapped=$now
      break
    fi
    [ "$seen" = - ] && seen=$now
  done
  exec 5<&-
  kill $xev 2>/dev/null
  wait $xev 2>/dev/null
  sleep 0.3
  kill -TERM $pid 2>/dev/null
  wait $pid 2>/dev/null
  awk -v a="$t0" -v s="$seen" -v m="$mapped" 'BEGIN {
    printf "%s %s", s == "-" ? "-" : int((s - a) * 1000), m == "-" ? "-" : int((m - a) * 1000) }'
}
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
kwemo_store 128 128 ""
splash=() clock=() plain=() plainsplash=()
for ((i = 0; i < launches; ++i)); do
  read -r s c <<<"$(mapped_ms KWEMO "$KWEMO")"
  [ "$s" != - ] && splash+=("$s")
  clock+=("$c")
  read -r s c <<<"$(mapped_ms PlainClock "$PLAIN" 128x128)"
  plain+=("$c")
  read -r s c <<<"$(mapped_ms PlainClock "$PLAIN" --splash --each-second --text 128x128)"
  plainsplash+=("$c")
done
ms=$(median "${clock[@]}") ps=$(median "${plain[@]}") pss=$(median "${plainsplash[@]}")
echo "launch to mapped, median of $launches (load $(load)): kwemo splash $(median "${splash[@]}") ms (${#splash[@]} seen)," \
  "kwemo clock $ms ms, plain Qt clock $ps ms: $(ratio "$ms" "$ps")x;" \
  "plain Qt clock after a splash, with text $pss ms: kwemo / it $(ratio "$ms" "$pss")x" \
  "(kwemo splash ${splash[*]}; clock ${clock[*]}; plain ${plain[*]}; plain after a splash ${plainsplash[*]})"
