#!/usr/bin/env bash
# The lesson as a teacher installs it: `cmake --install` into a scratch prefix must put the
# program, a valid menu entry, valid AppStream metainfo and the icon in every hicolor size
# where desktops look; the .deb must list those files and the packages they need, and the
# packaged program must start.
# Usage: packaging.sh <build-dir>
set -euo pipefail
build=$(realpath "$1")
id=org.example.tarvolen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# --- Install into a scratch prefix
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
[[ -x $prefix/bin/tarvolen ]] || fail "bin/tarvolen not installed"

desktop=$prefix/share/applications/$id.desktop
[[ -f $desktop ]] || fail "no menu entry at share/applications/$id.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate complains: $out"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(entry Categories) == "Education;Math;" ]] || fail "Categories=$(entry Categories)"
exec_name=$(entry Exec)
[[ -x $prefix/bin/${exec_name%% *} ]] || fail "Exec=$exec_name is not the installed program"
icon=$(entry Icon)

metainfo=$prefix/share/metainfo/$id.metainfo.xml
[[ -f $metainfo ]] || fail "no metainfo at share/metainfo/$id.metainfo.xml"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $id.desktop"

# PNG width and height are big-endian at bytes 16..23; the corners lie outside the icon.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }
rgba() { convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)],%[fx:round(255*p{$2,$3}.a)]" info:; }
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [[ -f $png ]] || fail "no $size px icon for Icon=$icon"
  [[ $(png_size "$png") == "${size}x${size}" ]] || fail "$png is $(png_size "$png")"
  corner=$(rgba "$png" 0 0)
  (( ${corner##*,} < 100 )) || fail "the $size px icon is not transparent at its rounded corner: $corner"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
[[ -f $svg ]] || fail "no scalable icon for Icon=$icon"

# The hand-written SVG shows what the program paints: sampled at 256 px, in icon units x 8.
convert -background none -density 768 "$svg" "$work/svg.png"
painted=$prefix/share/icons/hicolor/256x256/apps/$icon.png
near() {  # two r,g,b,a within 40 per channel
  local IFS=,; local -a a=($1) b=($2)
  for i in 0 1 2 3; do (( ${a[i]} - ${b[i]} <= 40 && ${b[i]} - ${a[i]} <= 40 )) || return 1; done
}
while read -r x y what expected; do
  from_svg=$(rgba "$work/svg.png" "$x" "$y")
  from_program=$(rgba "$painted" "$x" "$y")
  near "$from_program" "$expected" || fail "painted icon at $what is $from_program, expected $expected"
  near "$from_svg" "$from_program" || fail "SVG icon at $what is $from_svg, the program paints $from_program"
done <<'EOF'
128 32 background 213,255,220,255
3 128 border 0,104,60,255
28 124 left-circle 255,0,0,255
228 124 right-circle 255,0,0,255
128 152 common-part 0,192,0,255
128 124 segment 0,0,255,255
60 124 inside-one-circle 213,255,220,255
1 1 corner 0,0,0,0
EOF

# --- The .deb, packed from the same build
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work/package"/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}

info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[[ $(field Package) == tarvolen ]] || fail "package name $(field Package)"
[[ $(field Section) == education ]] || fail "section $(field Section)"
depends=$(field Depends)
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-liberation; do
  grep -Eq "(^|[ ,|])$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
# Every dependency names a Debian package; at least one of each alternative is here.
IFS=',' read -ra clauses <<<"$depends"
for clause in "${clauses[@]}"; do
  found=
  IFS='|' read -ra alternatives <<<"$clause"
  for alternative in "${alternatives[@]}"; do
    name=$(awk '{print $1}' <<<"$alternative")
    [[ $(dpkg-query -W -f='${Status}' "$name" 2>/dev/null) == "install ok installed" ]] && found=1
  done
  [[ -n $found ]] || fail "no package installed for dependency '$clause'"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected_files=(
  ./usr/bin/tarvolen
  "./usr/share/applications/$id.desktop"
  "./usr/share/metainfo/$id.metainfo.xml"
  "./usr/share/icons/hicolor/scalable/apps/$icon.svg"
)
for size in 16 22 24 32 48 64 128 256; do
  expected_files+=("./usr/share/icons/hicolor/${size}x${size}/apps/$icon.png")
done
for file in "${expected_files[@]}"; do
  grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done
files=$(grep -v '/$' <<<"$contents" | sort)
[[ $(wc -l <<<"$files") -eq ${#expected_files[@]} ]] \
  || fail "the package holds more than the lesson needs: $files"

# The packaged program starts and keeps its window open until it is told to end.
dpkg-deb -x "$deb" "$work/root"
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/tarvolen" >"$work/run.log" 2>&1 || status=$?
[[ $status -eq 124 ]] || fail "the packaged program ended with $status: $(cat "$work/run.log")"

echo "installed and packaged: $(basename "$deb"), Depends: $depends"
