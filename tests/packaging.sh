#!/usr/bin/env bash
# `cmake --install` into a scratch prefix and the .deb from cpack hold just the program, a valid menu entry and
# metainfo, and the icons; the .deb names the packages it needs and its program starts. Usage: packaging.sh <build-dir>
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
p=$work/prefix id=org.example.tarvolen icons=share/icons/hicolor
cmake --install "$1" --prefix "$p" >/dev/null
cpack --config "$1/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || fail "cpack: $(cat "$work/cpack.log")"
deb=$(echo "$work"/package/*.deb)
dpkg-deb -x "$deb" "$work/root"

files() { find "$1" ! -type d -printf "${2-}%P\n" | sort; }
expected=$(printf '%s\n' bin/tarvolen share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
             $icons/scalable/apps/$id.svg $icons/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$id.png | sort)
[[ $(files "$p") == "$expected" ]] || fail "installed: $(files "$p")"
[[ $(files "$work/root") == "$(files "$p" usr/)" ]] || fail "packaged: $(files "$work/root")"

desktop=$p/share/applications/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $out ]] || fail "desktop-file-validate: $out"
for line in Exec=tarvolen Icon=$id 'Categories=Education;Math;' 'Exec=tarvolen --full-screen'; do grep -qx "$line" "$desktop" || fail "no $line"; done
out=$(appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" 2>&1) || fail "appstreamcli validate: $out"
# Each language of the lesson in the menu and in the software centre: name, words to search, description.
for l in de es fr it pt; do
  for line in "^Name\[$l\]=Tarvolen" "^Comment\[$l\]=" "^Keywords\[$l\]="; do grep -q "$line" "$desktop" || fail "no $line"; done
  # The action "Open full screen" too, in the section after the entry's own.
  sed -n '/^\[Desktop Action full-screen\]/,$p' "$desktop" | grep -q "^Name\[$l\]=" || fail "no $l name of the full-screen action"
  for tag in summary p keyword; do grep -q "<$tag xml:lang=\"$l\">" "$p/share/metainfo/$id.metainfo.xml" || fail "no $l $tag in the metainfo"; done
done

for png in "$p/$icons"/*x*/apps/$id.png; do [[ $png == */$(convert "$png" -format %wx%h info:)/apps/* ]] || fail "$png: wrong size"; done
# The SVG the build writes shows what the program paints: both sampled at 256 px, in icon units x 8.
rsvg-convert --zoom 8 --output "$work/svg.png" "$p/$icons/scalable/apps/$id.svg"
rgba() { convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)],%[fx:round(255*p{$2,$3}.a)]" info:; }
near() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, ","); split(b, y, ","); for (i = 1; i <= 4; i++) if ((x[i] - y[i]) ^ 2 > 1600) exit 1 }'; }
while read -r x y what want; do
  painted=$(rgba "$p/$icons/256x256/apps/$id.png" "$x" "$y") drawn=$(rgba "$work/svg.png" "$x" "$y")
  near "$painted" "$want" && near "$drawn" "$painted" || fail "icon at $what: painted $painted, SVG $drawn, expected $want"
done <<'EOF'
128 32 background 213,255,220,255
3 128 border 0,104,60,255
28 124 left-circle 255,0,0,255
164 188 right-circle-bottom 255,0,0,255
128 124 segment 0,0,255,255
128 152 common-part 0,192,0,255
1 1 corner 0,0,0,0
EOF

depends=$(dpkg-deb -f "$deb" Depends Recommends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-liberation qt6-wayland qt6-translations-l10n; do
  grep -Eq "(^|[ ,|])$needed( |,|$)" <<<"$depends" || fail "neither Depends nor Recommends names $needed: $depends"
done
# The packaged program keeps its window open until it is told to end.
QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/tarvolen" >"$work/run.log" 2>&1 && status=0 || status=$?
[[ $status -eq 124 ]] || fail "the packaged program ended with $status: $(cat "$work/run.log")"
