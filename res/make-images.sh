#!/usr/bin/env bash
# Draws Brindlex's icons and the about box banner with ImageMagick. The outputs are committed,
# so a build never needs ImageMagick; run this again after changing a picture.
#   res/make-images.sh              writes res/icons/*.ico and res/Banner.jpg
#   res/make-images.sh --preview D  also writes PNG sheets of every frame at 4x to folder D
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
preview=
if [[ ${1:-} == --preview ]]; then
  preview=${2:?--preview needs a folder}
  mkdir -p "$preview"
fi
icons=$here/icons
mkdir -p "$icons"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Every frame is drawn 8 times larger and averaged down, so that edges on the design grid come
# out sharp and slanted edges smooth. A design is drawn on a GRID x GRID square in which pixel i
# covers [i, i+1]: a 1-unit line on i+0.5 fills exactly one row of pixels.
SS=8

# frame OUT SIZE GRID PAD MVG: renders MVG at SIZE pixels with PAD empty pixels around it.
frame() {
  local out=$1 size=$2 grid=$3 pad=$4 mvg=$5
  local big=$((size * SS))
  local k
  k=$(awk -v s="$size" -v p="$pad" -v g="$grid" -v ss="$SS" 'BEGIN { printf "%.6f", (s - 2 * p) * ss / g }')
  convert -size "${big}x${big}" xc:none -draw "affine $k,0,0,$k,$((pad * SS)),$((pad * SS)) $mvg" \
    -filter box -resize "${size}x${size}" PNG32:"$out"
}

# icon NAME FRAME.png...: packs the frames into icons/NAME.ico (32-bit colour with alpha).
icon() {
  local name=$1
  shift
  convert "$@" "$icons/$name.ico"
  if [[ -n $preview ]]; then
    local f sheet=()
    for f in "$@"; do
      # Each frame at 4x, on white and on the lists' selection blue.
      convert "$f" -background white -flatten -scale 400% "$tmp/w.png"
      convert "$f" -background blue -flatten -scale 400% "$tmp/b.png"
      convert "$tmp/w.png" "$tmp/b.png" -bordercolor '#888888' -border 2 +append "$tmp/$name-$(basename "$f")"
      sheet+=("$tmp/$name-$(basename "$f")")
    done
    convert "${sheet[@]}" -background '#888888' -gravity center -splice 8x0 +append "$preview/$name.png"
  fi
}

# Colours
OUTLINE_FOLDER='#7a5410'
BACK_FOLDER='#e3a72f'
FRONT_FOLDER='#f7cd57'
FRONT_OPEN='#fbd967'
HILITE_FOLDER='#fde7a0'
OUTLINE_PAPER='#4a5868'
FOLD_PAPER='#d5dee8'
LINE_PAPER='#5b7fb0'
TOKEN='#e8892b'
BOARD='#2f6db5'
OUTLINE_BOARD='#1b3e68'
METAL='#c9d1d9'
OUTLINE_METAL='#3e4a56'

# The folder and the document are drawn afresh for each grid, their edges on that grid's pixels;
# what stays the same is their layers and colours, given here once.
# folder BACK FRONT HILITE: a closed folder, HILITE the rectangle of the light edge on its front.
folder() {
  echo "stroke-width 1 stroke-linejoin miter
  fill $BACK_FOLDER stroke $OUTLINE_FOLDER path '$1'
  fill $FRONT_FOLDER path '$2'
  stroke none fill $HILITE_FOLDER rectangle $3"
}

# open_folder BACK "L T R B" FRONT [ON_SHEET [ON_FRONT]]: an open folder with a sheet of paper in it
# (its left, top and right edges drawn as 1-unit lines on L, T and R, its foot at B hidden by the
# front), and what a larger size draws on the sheet and on the front.
open_folder() {
  local l t r b
  read -r l t r b <<<"$2"
  echo "stroke-width 1 stroke-linejoin miter
  fill $BACK_FOLDER stroke $OUTLINE_FOLDER path '$1'
  fill white stroke none rectangle $l,$t $r,$b
  stroke '#8a8f96' stroke-linecap square line $l,$b $l,$t line $l,$t $r,$t line $r,$t $r,$b
  stroke-linecap butt
  ${4:-}
  fill $FRONT_OPEN stroke $OUTLINE_FOLDER path '$3'
  ${5:-}"
}

# doc PAGE FOLD LINES TOKEN LAST: a page of text with its corner folded, LINES the rectangles of
# the lines of text, TOKEN a token at the end of the last but one, LAST the line under it.
doc() {
  echo "stroke-width 1 stroke-linejoin miter
  fill white stroke $OUTLINE_PAPER path '$1'
  fill $FOLD_PAPER path '$2'
  stroke none fill $LINE_PAPER $3
  fill $TOKEN rectangle $4 fill $LINE_PAPER rectangle $5"
}

# ---- designs on a 16-unit grid --------------------------------------------------------------
FOLDER16=$(folder 'M 1.5,3.5 H 6.5 L 8.5,5.5 H 14.5 V 13.5 H 1.5 Z' 'M 1.5,6.5 H 14.5 V 13.5 H 1.5 Z' \
  '2,7 14,7.9')
FOLDER_OPEN16=$(open_folder 'M 1.5,3.5 H 6.5 L 8.5,5.5 H 13.5 V 13.5 H 1.5 Z' '3.5 4.5 11.5 9' \
  'M 4.5,7.5 H 15.5 L 13.5,13.5 H 1.5 Z')
DOC16=$(doc 'M 3.5,1.5 H 9.5 L 12.5,4.5 V 14.5 H 3.5 Z' 'M 9.5,1.5 V 4.5 H 12.5 Z' \
  'rectangle 5,6 11,6.9 rectangle 5,8 11,8.9 rectangle 5,10 8,10.9' '9,10 11,10.9' '5,12 10,12.9')

# Badges in the lower right corner of the 16-pixel buttons, on a white halo so that they stand
# out from the folder or document underneath.
PLUS_PATH="'M 11,9 H 14 V 11 H 16 V 14 H 14 V 16 H 11 V 14 H 9 V 11 H 11 Z'"
BADGE_ADD="stroke-linejoin miter fill white stroke white stroke-width 2 path $PLUS_PATH
  fill '#1f9d3a' stroke none path $PLUS_PATH"
BADGE_DELETE="fill none stroke-linecap round stroke white stroke-width 4.4
  line 9.8,9.8 15,15 line 15,9.8 9.8,15
  stroke-linecap butt stroke '#d42020' stroke-width 2.4 line 9.5,9.5 15.3,15.3 line 15.3,9.5 9.5,15.3"
# A pencil lying on the diagonal, its tip at the bottom left.
PENCIL_SHAPE="'M 0,0 L 3,-1.8 H 10.5 V 1.8 H 3 Z'"
BADGE_EDIT="push graphic-context translate 6.8,15.6 rotate -45
  stroke-linejoin round fill white stroke white stroke-width 2.2 path $PENCIL_SHAPE
  stroke none fill '#f3d9a4' path 'M 0,0 L 3,-1.8 V 1.8 Z'
  fill '#303030' path 'M 0,0 L 1.2,-0.72 V 0.72 Z'
  fill '#f0a52a' rectangle 3,-1.8 8.6,1.8
  fill '#c77a12' rectangle 3,0.6 8.6,1.8
  fill '#e0607a' rectangle 8.6,-1.8 10.5,1.8
  fill none stroke '#5a3d0c' stroke-width 0.7 path $PENCIL_SHAPE
  pop graphic-context"

MORE16="stroke none fill '#3a3a3a' path 'M 4,6 H 12 L 8,10.5 Z'"

# A push pin, head to the top right, needle to the bottom left.
PIN16="push graphic-context translate 8.3,7.7 rotate 45 stroke-linejoin round
  stroke '#505050' stroke-width 1.1 line 0,0.5 0,7.6
  fill '#d93b3b' stroke '#7d1a1a' stroke-width 0.8
  path 'M -1.7,-5.2 H 1.7 V -1.6 H 3.8 V 0.2 H -3.8 V -1.6 H -1.7 Z'
  roundrectangle -3,-7.6 3,-5.2 0.8,0.8
  stroke none fill '#f28b8b' rectangle -2.2,-7 -0.9,-5.8
  pop graphic-context"

KEYBOARD16="stroke-width 1 fill '#f2f4f7' stroke $OUTLINE_METAL roundrectangle 0.5,4.5 15.5,12.5 1.5,1.5
  stroke none fill $OUTLINE_METAL
  rectangle 2,6 3,7 rectangle 4,6 5,7 rectangle 6,6 7,7 rectangle 8,6 9,7 rectangle 10,6 11,7 rectangle 12,6 14,7
  rectangle 2,8 4,9 rectangle 5,8 6,9 rectangle 7,8 8,9 rectangle 9,8 10,9 rectangle 11,8 12,9 rectangle 13,8 14,9
  rectangle 4,10 12,11"

CLIPBOARD16="stroke-width 1
  fill $BOARD stroke $OUTLINE_BOARD roundrectangle 2.5,2.5 13.5,15.5 1.5,1.5
  stroke none fill white rectangle 4,5 12,14
  fill $METAL stroke $OUTLINE_METAL roundrectangle 5.5,1.5 10.5,4.5 1,1
  stroke none fill $BOARD rectangle 5,7 11,7.9 rectangle 5,9 10,9.9 rectangle 5,11 7,11.9
  fill $TOKEN rectangle 8,11 11,11.9"

# ---- designs on a 32-unit and a 28-unit grid -------------------------------------------------
CLIPBOARD32="stroke-width 1
  fill $BOARD stroke $OUTLINE_BOARD roundrectangle 4.5,4.5 27.5,30.5 3,3
  stroke none fill '#4a86cc' rectangle 6,6 26,7
  fill white stroke '#9fb4cc' roundrectangle 7.5,8.5 24.5,28.5 1,1
  fill $METAL stroke $OUTLINE_METAL roundrectangle 10.5,2.5 21.5,8.5 2,2
  stroke none fill $OUTLINE_METAL roundrectangle 14,4 18,5.5 0.7,0.7
  fill $BOARD rectangle 10,12 22,13.8 rectangle 10,16 20,17.8
  rectangle 10,20 15,21.8 fill $TOKEN roundrectangle 16.5,19.5 22,22.3 0.8,0.8
  fill $BOARD rectangle 10,24 18,25.8"

FOLDER28=$(folder 'M 2.5,5.5 H 11.5 L 14.5,8.5 H 25.5 V 23.5 H 2.5 Z' 'M 2.5,10.5 H 25.5 V 23.5 H 2.5 Z' \
  '3,11 25,12')
# At 28 pixels the sheet in the open folder has lines on it and the front a lighter rim.
FOLDER_OPEN28=$(open_folder 'M 2.5,5.5 H 11.5 L 14.5,8.5 H 24.5 V 23.5 H 2.5 Z' '5.5 7.5 21.5 15' \
  'M 6.5,12.5 H 27.5 L 23.5,23.5 H 2.5 Z' \
  "stroke none fill '#b7c3d0' rectangle 8,10 19,10.9 rectangle 8,12 17,12.9" \
  "stroke none fill '#fdeab0' path 'M 7.2,13.3 H 26.4 L 26.1,14.2 H 6.9 Z'")
DOC28=$(doc 'M 6.5,2.5 H 17.5 L 22.5,7.5 V 25.5 H 6.5 Z' 'M 17.5,2.5 V 7.5 H 22.5 Z' \
  'rectangle 9,10 20,11 rectangle 9,13 20,14 rectangle 9,16 17,17 rectangle 9,19 13,20' '14,19 20,20' '9,22 18,23')

# ---- icons ----------------------------------------------------------------------------------
# Each icon holds a frame for every size the program asks for at 100, 125, 150 and 200 %. A size
# with a design of its own draws that design; the others draw the nearest smaller design hinted
# to their grid (snap-mvg.py), so that outlines stay one sharp pixel at every size.
f=$tmp/f
# hinted OUT SIZE SCALE MVG: MVG hinted by SCALE, drawn at SIZE pixels.
hinted() {
  frame "$1" "$2" "$2" 0 "$("$here/snap-mvg.py" "$3" <<<"$4")"
}
# scales16 OUT DESIGN16: the 20-, 24- and 32-pixel frames of a 16-pixel design.
scales16() {
  hinted "$1-20.png" 20 1.25 "$2"
  hinted "$1-24.png" 24 1.5 "$2"
  hinted "$1-32.png" 32 2 "$2"
}

# 128: the program (window, taskbar, notification area): 16 and 32 for 100 %, the rest hinted.
frame "$f-128-16.png" 16 16 0 "$CLIPBOARD16"
hinted "$f-128-20.png" 20 1.25 "$CLIPBOARD16"
hinted "$f-128-24.png" 24 1.5 "$CLIPBOARD16"
frame "$f-128-32.png" 32 32 0 "$CLIPBOARD32"
hinted "$f-128-40.png" 40 1.25 "$CLIPBOARD32"
hinted "$f-128-48.png" 48 1.5 "$CLIPBOARD32"
hinted "$f-128-64.png" 64 2 "$CLIPBOARD32"
icon Brindlex "$f-128-"{16,20,24,32,40,48,64}.png

# 129, 139, 146: the list rows draw them at 28 x 28 (35, 42 and 56 at 125, 150 and 200 %); 16 and
# 32 for everything else.
row_icon() { # row_icon NAME ID DESIGN16 DESIGN28
  frame "$f-$2-16.png" 16 16 0 "$3"
  hinted "$f-$2-20.png" 20 1.25 "$3"
  hinted "$f-$2-24.png" 24 1.5 "$3"
  frame "$f-$2-28.png" 28 28 0 "$4"
  frame "$f-$2-32.png" 32 28 2 "$4"
  hinted "$f-$2-35.png" 35 1.25 "$4"
  hinted "$f-$2-42.png" 42 1.5 "$4"
  hinted "$f-$2-56.png" 56 2 "$4"
  icon "$1" "$f-$2-"{16,20,24,28,32,35,42,56}.png
}
row_icon Group 129 "$FOLDER16" "$FOLDER28"
row_icon GroupSelected 139 "$FOLDER_OPEN16" "$FOLDER_OPEN28"
row_icon Item 146 "$DOC16" "$DOC28"

# Image buttons: 16 pixels at 100 %.
button_icon() { # button_icon NAME ID DESIGN16
  frame "$f-$2-16.png" 16 16 0 "$3"
  scales16 "$f-$2" "$3"
  icon "$1" "$f-$2-"{16,20,24,32}.png
}
button_icon More 135 "$MORE16"
button_icon AddGroup 140 "$FOLDER16 $BADGE_ADD"
button_icon EditGroup 141 "$FOLDER16 $BADGE_EDIT"
button_icon DeleteGroup 142 "$FOLDER16 $BADGE_DELETE"
button_icon AddItem 143 "$DOC16 $BADGE_ADD"
button_icon EditItem 145 "$DOC16 $BADGE_EDIT"
button_icon DeleteItem 144 "$DOC16 $BADGE_DELETE"
button_icon AlwaysOnTop 155 "$PIN16"
button_icon InsertToken 156 "$KEYBOARD16"

# ---- banner ---------------------------------------------------------------------------------
# 445 x 209, drawn at the top left of the about box. The box's labels lie over the right part
# (the version at about x 340-407, y 44-61; the others from x 268 right and from y 125 down) and
# run on past the banner's right edge into the box's own white, so the banner's background is that
# same plain white: no edge shows where the picture ends. The name and tagline keep to the band
# above the labels, the picture and the two tokens under it to the left of them, far enough that
# the JPEG's blur around the art stays off the labels too.
# banner OUT B: the banner at B times its size (B 2 for screens at 150 and 200 %, where the about
# box draws it scaled down rather than blown up).
banner() {
  local out=$1 B=$2
  frame "$tmp/board.png" $((128 * B)) 32 0 "$CLIPBOARD32"
  convert "$tmp/board.png" \( +clone -background '#1b3e68' -shadow 35x$((3 * B))+$((3 * B))+$((4 * B)) \) +swap \
    -background none -layers merge +repage "$tmp/board-shadow.png"
  chip() { # chip OUT TEXT: a token as the item editor inserts it, in a monospaced font
    local w=$(((${#2} * 7 + 10) * B)) h=$((17 * B))
    convert -size "${w}x${h}" xc:none -fill "$TOKEN" -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $((4 * B)),$((4 * B))" \
      -font DejaVu-Sans-Mono-Bold -pointsize $((11 * B)) -fill white -gravity center -annotate +0+0 "$2" "$1"
  }
  chip "$tmp/chip1.png" '[TAB]'
  chip "$tmp/chip2.png" '[ENTER]'
  convert -size $((445 * B))x$((209 * B)) xc:white \
    "$tmp/board-shadow.png" -geometry +$((18 * B))+$((40 * B)) -composite \
    -font DejaVu-Sans-Bold -pointsize $((34 * B)) -fill "$OUTLINE_BOARD" -annotate +$((162 * B))+$((84 * B)) 'Brindlex' \
    -font DejaVu-Sans -pointsize $((12 * B)) -fill '#55657a' -annotate +$((164 * B))+$((106 * B)) 'Your snippets, pasted where you need them' \
    -fill '#c3d3e6' -draw "rectangle $((164 * B)),$((118 * B)) $((250 * B + B - 1)),$((119 * B + B - 1))" \
    "$tmp/chip1.png" -geometry +$((27 * B))+$((184 * B)) -composite \
    "$tmp/chip2.png" -geometry +$((78 * B))+$((184 * B)) -composite \
    -strip -interlace none -sampling-factor 2x2 -quality 92 JPEG:"$out"
}
banner "$here/Banner.jpg" 1
banner "$here/Banner-2x.jpg" 2
if [[ -n $preview ]]; then cp "$here/Banner.jpg" "$here/Banner-2x.jpg" "$preview/"; fi
echo "make-images: wrote $(cd "$icons" && ls *.ico | wc -l) icons, Banner.jpg and Banner-2x.jpg"
