#!/usr/bin/env bash
# Runs the examples of the user documentation, so none can go stale. In each page,
# a fenced block right after one of these marks is taken, in page order:
#   <!-- run -->           a shell block, run with bash -e in the page's scratch folder
#   <!-- output -->        the exact standard output of the run block before it
#   <!-- file: PATH -->    written to PATH in the scratch folder, lines ended by CR LF
# The scratch folder holds build/, examples/, resources/ and scripts/ as a source
# checkout with a build has them. Arguments: BUILD-FOLDER SOURCE-FOLDER [PAGE...]
set -euo pipefail
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd)
shift 2
pages=("$@")
[ ${#pages[@]} -gt 0 ] || pages=("$source"/docs/*.md "$source"/docs/guide/*.md)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0 ran=0

for page in "${pages[@]}"; do
  name=${page#"$source"/}
  work=$scratch/$(echo "$name" | tr '/.' '__')
  blocks=$work.blocks
  mkdir -p "$work" "$blocks"
  ln -s "$build" "$work/build"
  for folder in examples resources scripts; do ln -s "$source/$folder" "$work/$folder"; done
  # Each marked block becomes a file NNN; the list says its kind, argument and line.
  awk -v out="$blocks" '
    /^<!-- (run|output) -->$/ { kind = $2; arg = "-"; line = NR; next }
    /^<!-- file: .* -->$/     { kind = "file"; arg = $3; line = NR; next }
    /^```/ {
      if (inside) { inside = 0; close(block); next }
      if (kind != "") { inside = 1; n++; block = sprintf("%s/%03d", out, n)
                        printf "" > block; print n, kind, arg, line >> (out "/list"); kind = ""; next }
    }
    inside { print >> block; next }
    /[^[:space:]]/ { kind = "" }
  ' "$page"
  [ -f "$blocks/list" ] || continue
  last_output=
  while read -r n kind arg line; do
    block=$(printf '%s/%03d' "$blocks" "$n")
    case "$kind" in
    file)
      mkdir -p "$(dirname "$work/$arg")"
      sed 's/$/\r/' "$block" > "$work/$arg" ;;
    run)
      ran=$((ran + 1))
      if ! last_output=$(cd "$work" && env -i PATH="$PATH" HOME="$work" LANG=C.UTF-8 bash -e "$block" 2>"$work.stderr"); then
        echo "FAILED: $name:$line"; cat "$block"; echo "--- output:"; echo "$last_output"; cat "$work.stderr"
        failures=$((failures + 1))
      fi ;;
    output)
      if [ "$last_output" != "$(cat "$block")" ]; then
        echo "DIFFERS: $name:$line"; diff <(echo "$last_output") "$block" || true
        failures=$((failures + 1))
      fi ;;
    esac
  done < "$blocks/list"
done
echo "$ran examples run, $failures failed"
[ "$failures" -eq 0 ]
