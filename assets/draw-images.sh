#!/usr/bin/env bash
# Draws the tree images of the out folder with ImageMagick: connectors, indentation, folder and
# document icons with a transparent background, and the extra document icons ftv2doc_1.gif ...
# offered as replacement images. The menu shows every image at 16 x 22 CSS pixels; they are drawn
# at twice that, 32 x 44 pixels, so that they stay sharp on high-density screens. Coordinates
# below are in the 16 x 22 units of the displayed image (half units reach single pixels); a
# line of width 1 is two pixels wide. Run from anywhere; writes into assets/out/.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/out"
mkdir -p "$out"

line="#9A9A9A"     # connector and indentation lines
box="#7A7A7A"      # frame of the plus and minus boxes
sign="#202020"     # plus and minus signs

# Unit (x, y) lands on pixel (2x, 2y) and the one after it, so a width-1 line on a whole unit
# covers exactly two pixels and the lines of neighbouring rows meet.
units="affine 2,0,0,2,0.5,0.5"

# image NAME OPTIONS...: one 32 x 44 GIF, transparent where nothing is drawn. Every -draw runs in
# units.
image() {
  local name=$1
  shift
  local args=()
  while (($#)); do
    if [[ $1 == -draw ]]; then
      args+=(-draw "$units $2")
      shift 2
    else
      args+=("$1")
      shift
    fi
  done
  convert -size 32x44 xc:none -strokewidth 1 "${args[@]}" -channel A -threshold 50% +channel "$out/$name"
}

vertical_full=(-fill none -stroke "$line" -draw "line 7,-1 7,23")
vertical_top=(-fill none -stroke "$line" -draw "line 7,-1 7,11")
horizontal=(-fill none -stroke "$line" -draw "line 7,11 16.5,11")
sign_box=(-fill white -stroke "$box" -draw "roundrectangle 3,7 11,15 1,1"
          -fill "#EDEDED" -stroke none -draw "rectangle 3.75,13.25 10.25,14.25")
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
  -fill "#F2C14E" -stroke "$folder_edge" -draw "polygon 1,6 5.5,6 7,8 14,8 14,17 1,17" \
  -fill none -stroke "#FBE3A1" -strokewidth 0.5 -draw "line 1.75,9.25 13.25,9.25" \
  -stroke "#D9A53A" -draw "line 1.75,16.25 13.25,16.25"
image ftv2folderopen.gif \
  -fill "#D9A53A" -stroke "$folder_edge" -draw "polygon 1,6 5.5,6 7,8 13,8 13,17 1,17" \
  -fill "#FFE08A" -stroke "$folder_edge" -draw "polygon 3.5,11 15,11 13,17 1,17" \
  -fill none -stroke "#FFF3C4" -strokewidth 0.5 -draw "line 4,11.75 14,11.75"

# sheet ACCENT FILL NAME EXTRA...: a sheet of paper with a folded corner.
sheet() {
  local accent=$1 fill=$2 name=$3
  shift 3
  image "$name" \
    -fill "$fill" -stroke "$accent" -draw "polygon 3,4 10,4 13,7 13,18 3,18" \
    -fill "#FFFFFF" -stroke "$accent" -strokewidth 0.5 -draw "polygon 10,4.25 10,7 12.75,7" \
    -strokewidth 1 "$@"
}
# page ACCENT FILL NAME EXTRA...: a sheet with lines of text, one pixel high each.
page() {
  local accent=$1 fill=$2 name=$3
  shift 3
  sheet "$accent" "$fill" "$name" \
    -fill none -stroke "$accent" -strokewidth 0.5 \
    -draw "line 5,9.75 11,9.75" -draw "line 5,11.25 11,11.25" -draw "line 5,12.75 11,12.75" \
    -draw "line 5,14.25 9,14.25" -strokewidth 1 "$@"
}
page "#5A5A5A" "#FFFFFF" ftv2doc.gif
# 1: a web page (blue title bar); 2: a printable document (red band); 3: a picture (green hill).
page "#2F5FB3" "#EAF1FF" ftv2doc_1.gif -fill "#2F5FB3" -stroke none -draw "rectangle 3.5,4.5 9.5,7"
page "#B03030" "#FFF0F0" ftv2doc_2.gif -fill "#C62828" -stroke none -draw "rectangle 4.25,15.5 11.75,16.75"
sheet "#2E7D32" "#F0FFF0" ftv2doc_3.gif \
  -fill "#66BB6A" -stroke "#2E7D32" -strokewidth 0.5 -draw "polygon 3.5,17.5 7,12 9,15 10.5,13 12.5,17.5" \
  -fill "#FBC02D" -stroke "#E0A000" -draw "circle 6,8 7.25,8"

# The menu without script takes its folder, document and plus/minus pictures from this one
# picture, so that a page asks for one file instead of seven: 32 x 44 cells from the top, in the
# order below (generator/StaticStyleSheet.cpp names their places). Its lines are drawn by CSS.
(cd "$out" && convert ftv2folderclosed.gif ftv2folderopen.gif ftv2doc.gif ftv2pnode.gif ftv2plastnode.gif \
  ftv2mnode.gif ftv2mlastnode.gif -append +repage -define png:exclude-chunks=bKGD,cHRM,gAMA,date,time,tIME quillnav-tree.png)
