#!/bin/sh
# Peak memory and wall time of loading large files through qxhost without a window: an 8 MB
# file of empty lines that loads itself, 8 MB of lines that fail, 8 MB of cheap lines that run,
# and 8 MB of HARD_RESET lines (about 0.27 ms each), which the load's time limit stops.
# Usage: tools/measure-large-loads.sh [build folder]   (default: build)
set -eu
build=${1:-build}
host="$build/out/qxhost"
[ -x "$host" ] || { echo "no $host: build first" >&2; exit 1; }
# Loaded lines are upper-cased, so the folder a file names itself by is upper case.
folder=$(mktemp -d /tmp/QXLOADS_XXXXXX)
case "$folder" in *[a-z]*) rm -rf "$folder"; folder=/tmp/QXLOADS_$$; mkdir "$folder" ;; esac
trap 'rm -rf "$folder"' EXIT
limit=$((8 * 1024 * 1024))

fill() { # fill FILE FIRST-LINE REPEATED-LINE: FIRST-LINE, then REPEATED-LINE up to 8 MB
    python3 - "$1" "$2" "$3" "$limit" <<'PY'
import sys
path, first, line, limit = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
head = (first + "\n") if first else ""
body = (line + "\n").encode()
count = (limit - len(head)) // len(body)
with open(path, "wb") as f:
    f.write(head.encode() + body * count)
PY
}

fill "$folder/SELF.TXT" "LOAD_MACRO $folder/SELF.TXT" ""
fill "$folder/FAILING.TXT" "" "FOO S1"
fill "$folder/RUNNING.TXT" "" "SET NUM_SOURCE 4"
fill "$folder/RESETS.TXT" "" "HARD_RESET"

printf '%-12s %10s %14s %12s  %s\n' file bytes "peak RSS (KB)" "wall (s)" "report"
for name in SELF FAILING RUNNING RESETS; do
    file="$folder/$name.TXT"
    /usr/bin/time -f '%M %e' -o "$folder/time" "$host" --headless --load "$file" \
        --console "$folder/console" >/dev/null 2>&1 || true
    read -r rss wall <"$folder/time"
    last=$(grep -E 'LOAD STOPPED|<< ' "$folder/console" | head -n 1 | cut -c1-70)
    printf '%-12s %10s %14s %12s  %s\n' "$name" "$(stat -c %s "$file")" "$rss" "$wall" "$last"
done
