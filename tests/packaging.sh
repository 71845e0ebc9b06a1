#!/usr/bin/env bash
# The lesson as a teacher installs it: `cmake --install` into a scratch prefix and the .deb from
# cpack must hold just the program, a valid menu entry, valid AppStream metainfo and the icon at
# every hicolor size; the .deb must name the packages it needs, and its program must start.
# Usage: packaging.sh <build-dir>
set -euo pipefail
build=$(realpath "$1")
id=org.example.tarvolen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work/package"/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
dpkg-deb -x "$deb" "$work/root"

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[[ -f $desktop ]] || fail "no menu entry at share/applications/$id.desktop"
entry() { sed -n "s/^$1=//p" "$desktop"; }
icon=$(entry Icon)
icons=share/icons/hicolor
# The prefix and the package hold these files and nothing more.
expected=$(printf '%s\n' bin/tarvolen "${desktop#$prefix/}" "${metainfo#$prefix/}" "$icons/scalable/apps/$icon.svg" \
             "$icons"/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/"$icon".png | sort)
for tree in "$prefix" "$work/root/usr"; do
  diff <(echo "$expected") <(find "$tree" ! -type d -printf '%P\n' | sort) >&2 \
    || fail "files in $tree differ (<: missing, >: not wanted)"
done
[[ $(ls "$work/root") == usr ]] || fail "the .deb puts files outside /usr: $(ls "$work/root")"

out=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $out ]] || fail "desktop-file-validate: $out"
[[ $(entry Categories) == "Education;Math;" ]] || fail "Categories=$(entry Categories)"
[[ -x $prefix/bin/$(entry Exec | cut -d' ' -f1) ]] || fail "Exec=$(entry Exec) is not the installed program"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $id.desktop"

# Each PNG as large as its directory says (big-endian at bytes 16..23), its corner transparent.
rgba() { convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)],%[fx:round(255*p{$2,$3}.a)]" info:; }
for png in "$prefix/$icons"/*x*/apps/"$icon".png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  got=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [[ $got == "$size" ]] || fail "$png is $got"
  corner=$(rgba "$png" 0 0)
  (( ${corner##*,} < 100 )) || fail "the $size icon is not transparent at its rounded corner: $corner"
done

# The hand-written SVG shows what the program paints: sampled at 256 px, in icon units x 8.
# rsvg-convert, as ImageMagick reads SVG only with packages it merely recommends.
rsvg-convert --zoom 8 --output "$work/svg.png" "$prefix/$icons/scalable/apps/$icon.svg"
near() {  # two r,g,b,a within 40 per channel
  local IFS=,; local -a a=($1) b=($2)
  for i in 0 1 2 3; do (( ${a[i]} - ${b[i]} <= 40 && ${b[i]} - ${a[i]} <= 40 )) || return 1; done
}
while read -r x y what want; do
  from_svg=$(rgba "$work/svg.png" "$x" "$y")
  from_program=$(rgba "$prefix/$icons/256x256/apps/$icon.png" "$x" "$y")
  near "$from_program" "$want" || fail "painted icon at $what is $from_program, expected $want"
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

# Depends names what the program links to and the font it draws with; every clause has an
# alternative that is a Debian package installed here.
info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[[ $(field Package)/$(field Section) == tarvolen/education ]] || fail "package $(field Package), section $(field Section)"
depends=$(field Depends)
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-liberation; do
  grep -Eq "(^|[ ,|])$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
IFS=',' read -ra clauses <<<"$depends"
for clause in "${clauses[@]}"; do
  found=$(tr '|' '\n' <<<"$clause" | awk '{print $1}' | xargs dpkg-query -W -f='${Status}\n' 2>/dev/null || true)
  grep -qx "install ok installed" <<<"$found" || fail "no package installed for dependency '$clause'"
done

# The packaged program starts and keeps its window open until it is told to end.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/tarvolen" >"$work/run.log" 2>&1 || status=$?
[[ $status -eq 124 ]] || fail "the packaged program ended with $status: $(cat "$work/run.log")"
echo "installed and packaged: $(basename "$deb"), Depends: $depends"
