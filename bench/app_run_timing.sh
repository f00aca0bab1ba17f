#!/usr/bin/env bash
# Whole-program timings: start-up to the shown window, and an unattended /I
# run of 32767 single-value dimensions, next to the writer's own time for the
# same count (bench_output_writer) measured in the same run of this script.
# Usage: bench/app_run_timing.sh [build folder]   (a Release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
home=$work/home
mkdir -p "$home/PartData" "$work/out"
cp -r resources/. "$home"/
cat > "$home/settings.ini" <<INI
[General]
CatalogPathName=$home/Catalogs/MyCatalog.dfd
FileName1=0
FileName2=0
FileName3=0
FileName4=0
FileName5=0
SEPERATOR=0
DIR=$work/out
FileCounter=0
SelectFolder=false
PartProgFolder=false
UseFolders=0
FileNameRule0=true
DFD=false
UseCFG=1
QDV=true
INI
# Saved data-entry values, so the form confirms itself and the main window shows the run.
printf '%s\r\n' "" "" "" "0" "0" "" "0" "0" "" "" "0" "" "" "" "2" "" "" "" "" "0" "0" "0" "[]" "0" \
    > "$home/PartData/Default.cfg"
python3 - "$work/big.json" <<'PY'
import json, sys
commands = [{"type": 1100, "id": f"D{i}", "dimension": {"id": f"D{i}", "axisText": "D", "nominal": 10.0,
             "measured": 10.0 + (i % 50) / 1000.0, "plusTol": 0.05, "minusTol": 0.05, "unitCode": 1,
             "feature1": f"CIR{i}"}} for i in range(1, 32768)]
host = {"execution": {"autoStart": True, "terminationType": 1},
        "activePartProgram": {"name": "BIG", "fullName": "C:\\BIG.PRG", "partName": "BIG", "revisionNumber": "A",
                              "serialNumber": "1", "commands": commands}}
json.dump(host, open(sys.argv[1], "w"))
PY

run() {  # prints the wall time of one program run in seconds
    local start end
    start=$(date +%s.%N)
    KELMAR_HOME="$home" KELMAR_SETTINGS="$home/settings.ini" ORVELAN_SIM="$1" KELMAR_UNATTENDED=1 \
        QT_QPA_PLATFORM=offscreen "$build/kelmar" $2 2>>"$work/stderr.txt" >/dev/null || echo "status $?" >&2
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

best() { sort -n | head -n 1; }
startup=$(for i in 1 2 3 4 5; do run examples/empty.json ""; done | best)
full=$(for i in 1 2 3; do rm -rf "$work/out"/*; run "$work/big.json" /I; done | best)
written=$(find "$work/out" -name '*.dfq' | head -n 1)
writer=$("$build/bench_output_writer_bench" --benchmark_filter='Dfq' 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g' |
         awk '$1 == "WriteDfq" {d = ($3 == "ms") ? 1e3 : ($3 == "us") ? 1e6 : ($3 == "ns") ? 1e9 : 1; print $2 / d; exit}')
printf 'start-up to shown window (best of 5): %.3f s\n' "$startup"
printf '/I run of 32767 dimensions (best of 3): %.3f s, file %s (%s bytes)\n' "$full" "$(basename "$written")" \
    "$(stat -c %s "$written")"
printf 'bare writer for 32767 characteristics: %s s\n' "${writer:-?}"
[ -n "$writer" ] && printf 'run / writer: %.1f\n' "$(echo "$full / $writer" | bc -l)"
grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR "$work/stderr.txt" | sort | uniq -c | head -n 5 || true
