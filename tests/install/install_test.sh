#!/usr/bin/env bash
# cmake --install into a scratch folder, then the bundled sample runs unattended from
# there, the program folder found from the installed executable itself, and writes the
# same file as the build does. Arguments: BUILD-FOLDER SOURCE-FOLDER VERSION
set -euo pipefail
build=$1 source=$2 version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

prefix=$scratch/Kelmar\ 4
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log"; fail "cmake --install"; }
for file in kelmar Languages/resource.dll Languages/German.dll Catalogs/MyCatalog.dfd \
    share/icons/hicolor/16x16/apps/kelmar.png share/icons/hicolor/256x256/apps/kelmar.png \
    share/icons/hicolor/scalable/apps/kelmar.svg; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
[ -d "$prefix/PartData" ] || fail "PartData is not installed"
entry=$prefix/share/applications/org.kelmar.Kelmar.desktop
grep -qxF "Exec=$prefix/kelmar" "$entry" || fail "the desktop entry does not start the installed program"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -s "$icon" ] || fail "the desktop entry's icon $icon does not exist"
grep -qF "<release version=\"$version\"" "$prefix/share/metainfo/org.kelmar.Kelmar.metainfo.xml" ||
  fail "the metainfo does not name version $version"
[ "$("$prefix/kelmar" --version)" = "Kelmar $version" ] || fail "--version of the installed program"

cd "$scratch"
"$source/scripts/prepare-home" "$prefix" "$scratch/qdas"
status=0
env -u KELMAR_HOME -u KELMAR_SETTINGS ORVELAN_SIM="$source/examples/bracket.json" KELMAR_UNATTENDED=1 \
  QT_QPA_PLATFORM=offscreen timeout 60 "$prefix/kelmar" /I 2>"$scratch/stderr.txt" || status=$?
[ "$status" -eq 0 ] || { cat "$scratch/stderr.txt"; fail "the installed program ended with $status"; }
# A value out of tolerance and the part not reworked: PartOOT and FirstParts.
for folder in PartOOT FirstParts; do
  written="$scratch/qdas/$folder/BRACKET BR-2210_C_SN-004217_0001.dfq"
  [ -f "$written" ] || { find "$scratch/qdas" -type f; fail "no $written"; }
  mask='s#^\(K0004/[0-9]* \)[0-9.]*/[0-9:]*\r$#\1dd.mm.yyyy/hh:mm:ss\r#'
  cmp <(sed "$mask" "$written") "$source/tests/golden/bracket.dfq" || fail "$written differs from the golden file"
done
echo "installed into $prefix and ran the sample from there"
