#!/usr/bin/env bash
# Draws the tree images of the out folder with ImageMagick: connectors, indentation, folder and
# document icons, all 16 x 22 pixels with a transparent background, and the extra document icons
# ftv2doc_1.gif ... offered as replacement images. Run from anywhere; writes into assets/out/.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/out"
mkdir -p "$out"

line="#9A9A9A"     # connector and indentation lines
box="#7A7A7A"      # frame of the plus and minus boxes
sign="#202020"     # plus and minus signs

# image NAME DRAW...: one 16 x 22 GIF, transparent where nothing is drawn.
image() {
  local name=$1
  shift
  convert -size 16x22 xc:none -strokewidth 1 "$@" -channel A -threshold 50% +channel "$out/$name"
}

vertical_full=(-fill none -stroke "$line" -draw "line 7,0 7,21")
vertical_top=(-fill none -stroke "$line" -draw "line 7,0 7,11")
horizontal=(-fill none -stroke "$line" -draw "line 7,11 15,11")
sign_box=(-fill white -stroke "$box" -draw "rectangle 3,7 11,15")
minus=(-fill none -stroke "$sign" -draw "line 5,11 9,11")
plus=(-fill none -stroke "$sign" -draw "line 5,11 9,11" -draw "line 7,9 7,13")

image ftv2blank.gif
image ftv2vertline.gif "${vertical_full[@]}"
image ftv2node.gif "${vertical_full[@]}" "${horizontal[@]}"
image ftv2lastnode.gif "${vertical_top[@]}" "${horizontal[@]}"
image ftv2mnode.gif "${vertical_full[@]}" "${horizontal[@]}" "${sign_box[@]}" "${minus[@]}"
image ftv2mlastnode.gif "${vertical_top[@]}" "${horizontal[@]}" "${sign_box[@]}" "${minus[@]}"
image ftv2pnode.gif "${vertical_full[@]}" "${horizontal[@]}" "${sign_box[@]}" "${plus[@]}"
image ftv2plastnode.gif "${vertical_top[@]}" "${horizontal[@]}" "${sign_box[@]}" "${plus[@]}"

# Folders: a tab and a body; the open folder tips its front flap forward.
folder_edge="#9C6B0C"
image ftv2folderclosed.gif \
  -fill "#F2C14E" -stroke "$folder_edge" -draw "polygon 1,6 6,6 7,8 14,8 14,17 1,17" \
  -stroke "#FBE3A1" -draw "line 2,9 13,9"
image ftv2folderopen.gif \
  -fill "#D9A53A" -stroke "$folder_edge" -draw "polygon 1,6 6,6 7,8 13,8 13,17 1,17" \
  -fill "#FFE08A" -stroke "$folder_edge" -draw "polygon 3,11 15,11 13,17 1,17"

# sheet ACCENT FILL NAME EXTRA...: a sheet of paper with a folded corner.
sheet() {
  local accent=$1 fill=$2 name=$3
  shift 3
  image "$name" \
    -fill "$fill" -stroke "$accent" -draw "polygon 3,4 10,4 13,7 13,18 3,18 3,4" \
    -fill "#FFFFFF" -stroke "$accent" -draw "polygon 10,4 10,7 13,7" \
    "$@"
}
# page ACCENT FILL NAME EXTRA...: a sheet with a few lines of text.
page() {
  local accent=$1 fill=$2 name=$3
  shift 3
  sheet "$accent" "$fill" "$name" \
    -fill none -stroke "$accent" -draw "line 5,10 11,10" -draw "line 5,12 11,12" -draw "line 5,14 9,14" "$@"
}
page "#5A5A5A" "#FFFFFF" ftv2doc.gif
# 1: a web page (blue title bar); 2: a printable document (red band); 3: a picture (green hill).
page "#2F5FB3" "#EAF1FF" ftv2doc_1.gif -fill "#2F5FB3" -stroke none -draw "rectangle 4,5 9,7"
page "#B03030" "#FFF0F0" ftv2doc_2.gif -fill "#C62828" -stroke none -draw "rectangle 4,16 12,17"
sheet "#2E7D32" "#F0FFF0" ftv2doc_3.gif \
  -fill "#66BB6A" -stroke "#2E7D32" -draw "polygon 4,17 7,12 9,15 10,13 12,17" \
  -fill "#FBC02D" -stroke none -draw "circle 6,7 6,8"
