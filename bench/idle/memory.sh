#!/usr/bin/env bash
# Where a clock's resident memory goes, kwemo beside the plain Qt clock: each runs alone on one
# Xvfb (openbox, trayer), settles for a few seconds, and its /proc/PID/smaps is summed per
# mapping (a library, the heap, anonymous memory, the X server's shared pieces). Prints peak
# RSS, RSS and USS, then the mappings whose RSS differs most between the two, in KiB.
# Usage: bench/idle/memory.sh path/to/kwemo path/to/bench_plain_clock [WxH, 128x128] [picture]
root=$(cd "$(dirname "$0")/../.." && pwd)
PLAIN=$(readlink -f "${2:?usage: $0 kwemo bench_plain_clock [WxH] [picture]}")
size=${3:-128x128}
picture=${4:+$(readlink -f "$4")}
source "$root/tests/e2e/lib.sh" "$1"
set +e
start_desktop
w=${size%x*} h=${size#*x}

start_kwemo
answer_box "$KWEMO_PID" "Hello!"
wait_window "$KWEMO_PID" KWEMO 20 >/dev/null || fail "kwemo did not show its window"
kill -TERM "$KWEMO_PID"
wait_kwemo_exit 10
# The outer size is the client plus the 4-pixel frame on each side, in twips at 96 dpi.
sed -i -e "s/^Left=.*/Left=0/I" -e "s/^Top=.*/Top=0/I" \
  -e "s/^Width=.*/Width=$(((w + 8) * 15))/I" -e "s/^Height=.*/Height=$(((h + 8) * 15))/I" \
  -e "s|^BackBMP=.*|BackBMP=$picture|I" "$STORE_FILE"

# One line per mapping name: "name rss_kib private_kib".
per_mapping() {
  awk '
    /^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6) ? $6 : "[anon]"; sub(".*/", "", name); next }
    /^Rss:/ { rss[name] += $2 }
    /^Private_(Clean|Dirty):/ { priv[name] += $2 }
    END { for (n in rss) if (rss[n] > 0) printf "%s %d %d\n", n, rss[n], priv[n] }' "/proc/$1/smaps"
}
sample() {
  local name=$1
  shift
  "$@" >/dev/null 2>&1 &
  local pid=$!
  E2E_PIDS+=($pid)
  wait_until 30 xdotool search --onlyvisible --pid "$pid" '.*' || { echo "$name: no window" >&2; return; }
  sleep 4
  per_mapping $pid >"$E2E_TMP/$name.map"
  awk -v n="$name" '/^VmHWM:/ {p = $2} /^VmRSS:/ {r = $2} END {printf "%-8s peak RSS %6.1f MiB, RSS %6.1f", n, p / 1024, r / 1024}' "/proc/$pid/status"
  awk '/^Private_(Clean|Dirty):/ {s += $2} END {printf ", USS %6.1f MiB\n", s / 1024}' "/proc/$pid/smaps_rollup"
  kill -TERM $pid
  wait $pid 2>/dev/null
}
echo "$size ${picture:+over $picture }(load $(cut -d' ' -f1-3 /proc/loadavg))"
sample kwemo "$KWEMO"
sample plain "$PLAIN" "$size" ${picture:+"$picture"}
printf '%-40s %9s %9s %9s %9s\n' mapping "kwemo RSS" "plain RSS" difference "kwemo USS"
join -a1 -a2 -e0 -o0,1.2,2.2,1.3 <(sort "$E2E_TMP/kwemo.map") <(sort "$E2E_TMP/plain.map") |
  awk '{d = $2 - $3; t += d; printf "%-40s %9d %9d %+9d %9d\n", $1, $2, $3, d, $4}
       END {printf "%-40s %9s %9s %+9d\n", "total", "", "", t}' |
  sort -k4,4 -g -r | awk 'NR <= 30 || $1 == "total"'
