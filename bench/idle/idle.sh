#!/usr/bin/env bash
# Runs kwemo (first-run look, welcome answered), `xclock -update 1` and `oclock` side by side on
# one Xvfb with openbox and trayer, and prints each one's CPU seconds over the measured span and
# its peak RSS; then kwemo's time from launch to its window being mapped, warm, over a few runs.
# Usage: bench/idle/idle.sh path/to/kwemo [seconds, default 60]
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${2:-60}
source "$root/tests/e2e/lib.sh" "$1"
start_desktop

# CPU time in nanoseconds, summed over the process's threads: the scheduler's own count, exact
# even for a program that wakes briefly five times a second (utime/stime are sampled per tick).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
peak_kib() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }

start_kwemo
answer_box "$KWEMO_PID" "Hello!"
wait_window "$KWEMO_PID" KWEMO 10 >/dev/null || fail "kwemo did not show its window"
xclock -update 1 -geometry 164x164+200+0 >/dev/null 2>&1 &
XCLOCK_PID=$!
E2E_PIDS+=($XCLOCK_PID)
oclock -geometry 164x164+400+0 >/dev/null 2>&1 &
OCLOCK_PID=$!
E2E_PIDS+=($OCLOCK_PID)
sleep 3  # start-up done, greeting rolled away

declare -A start_ticks
for name in kwemo xclock oclock; do
  pid_var=${name^^}_PID
  start_ticks[$name]=$(cpu_ns "${!pid_var}")
done
sleep "$seconds"

printf '%-8s %14s %14s %12s\n' program "cpu s/${seconds}s" "cpu s total" "peak RSS MB"
for name in kwemo xclock oclock; do
  pid_var=${name^^}_PID
  pid=${!pid_var}
  now=$(cpu_ns "$pid")
  awk -v n="$name" -v a="${start_ticks[$name]}" -v b="$now" -v t=1e9 -v k="$(peak_kib "$pid")" \
    'BEGIN { printf "%-8s %14.3f %14.3f %12.1f\n", n, (b - a) / t, b / t, k / 1024 }'
done
kill "$XCLOCK_PID" "$OCLOCK_PID" 2>/dev/null
kill -TERM "$KWEMO_PID"
wait_kwemo_exit 10

# Launch to mapped, warm (the store now says it has run: no welcome box).
times=()
for run in 1 2 3 4 5 6; do
  t0=$(date +%s%N)
  start_kwemo
  until window_of "$KWEMO_PID" KWEMO >/dev/null 2>&1; do :; done
  t1=$(date +%s%N)
  times+=($(((t1 - t0) / 1000000)))
  sleep 0.5
  kill -TERM "$KWEMO_PID"
  wait_kwemo_exit 10
done
sorted=$(printf '%s\n' "${times[@]:1}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]:1}" | sort -n | sed -n 3p)
echo "kwemo launch to mapped, warm: median ${median} ms (runs: ${sorted}; first, cold: ${times[0]} ms)"
