#!/bin/sh
# Draws the setup program's pictures, icon and cursor into src/resources/bitmaps/.
# Everything is drawn from scratch with ImageMagick 6 and python3; the output is the same
# on every run, so regenerating does not change the files in git.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/src/resources/bitmaps
fonts=/usr/share/fonts/truetype/dejavu
sans=$fonts/DejaVuSans.ttf
bold=$fonts/DejaVuSans-Bold.ttf
cond=$fonts/DejaVuSansCondensed-Bold.ttf

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
trap 'exit 1' INT TERM
mkdir -p "$out"

# The 16 colours every Windows 95 display has; the small pictures use only these, so
# they look the same in 16 colours as in 256.
pal=$tmp/pal.miff
convert -size 1x1 xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' xc:'#000080' \
    xc:'#800080' xc:'#008080' xc:'#808080' xc:'#c0c0c0' xc:'#ff0000' xc:'#00ff00' \
    xc:'#ffff00' xc:'#0000ff' xc:'#ff00ff' xc:'#00ffff' xc:'#ffffff' +append "$pal"

# Windows 3 bitmap: uncompressed, bottom-up, palette; what LoadBitmap reads from a resource.
# 16-colour art comes out as 4 bits per pixel, the rest as 8.
save16() { convert "$1" -alpha off +dither -remap "$pal" -type Palette -compress None -strip "BMP3:$2"; }
save256() { convert "$1" -alpha off +dither -colors 256 -type Palette -compress None -strip "BMP3:$2"; }

# Draw primitives of a Windows 95 edge around the box x0,y0-x1,y1 (both corners inside).
# raised: white/light above and left, black/dark grey below and right; sunken: mirrored.
raised() {
    echo "fill #ffffff rectangle $1,$2 $(($3-1)),$2 rectangle $1,$2 $1,$(($4-1))
          fill #000000 rectangle $1,$4 $3,$4 rectangle $3,$2 $3,$4
          fill #dfdfdf rectangle $(($1+1)),$(($2+1)) $(($3-2)),$(($2+1)) rectangle $(($1+1)),$(($2+1)) $(($1+1)),$(($4-2))
          fill #808080 rectangle $(($1+1)),$(($4-1)) $(($3-1)),$(($4-1)) rectangle $(($3-1)),$(($2+1)) $(($3-1)),$(($4-1))"
}
sunken() {
    echo "fill #808080 rectangle $1,$2 $(($3-1)),$2 rectangle $1,$2 $1,$(($4-1))
          fill #ffffff rectangle $1,$4 $3,$4 rectangle $3,$2 $3,$4
          fill #000000 rectangle $(($1+1)),$(($2+1)) $(($3-2)),$(($2+1)) rectangle $(($1+1)),$(($2+1)) $(($1+1)),$(($4-2))
          fill #dfdfdf rectangle $(($1+1)),$(($4-1)) $(($3-1)),$(($4-1)) rectangle $(($3-1)),$(($2+1)) $(($3-1)),$(($4-1))"
}
# The one-pixel edge of the billboard pictures.
light() {
    echo "fill #ffffff rectangle $1,$2 $(($3-1)),$2 rectangle $1,$2 $1,$(($4-1))
          fill #808080 rectangle $1,$4 $3,$4 rectangle $3,$2 $3,$4"
}

# ---- COPW: the copyright plate in the bottom right corner of the blue screen.
convert -size 240x56 xc:'#c0c0c0' -draw "$(raised 0 0 239 55)" \
    -draw "fill #808080 rectangle 5,5 233,5 rectangle 5,5 5,49 rectangle 6,50 234,50 rectangle 234,6 234,50
           fill #ffffff rectangle 6,6 232,6 rectangle 6,6 6,48 rectangle 5,51 235,51 rectangle 235,5 235,51" \
    -gravity north -fill '#000000' \
    -font "$cond" -pointsize 11 -annotate +0+15 'Copyright (C) 1996 Nimbra Systems' \
    -font "$sans" -pointsize 10 -annotate +0+32 'All rights reserved.' \
    "$tmp/copw.miff"
save256 "$tmp/copw.miff" "$out/copw.bmp"

# ---- KVOXLOG1: the logo in the top right corner: a grey plate holding a deep blue
# field in bands like the screen behind it, with the name in gold over a hard shadow.
w=230 h=96
convert -size ${w}x$h xc:'#c0c0c0' -draw "$(raised 0 0 $((w-1)) $((h-1)))" \
    \( -size 1x11 gradient:'#000090-#000028' -sample $((w-10))x$((h-10))! \) \
    -geometry +5+5 -composite "$tmp/plate.miff"
convert "$tmp/plate.miff" -draw "$(sunken 4 4 $((w-5)) $((h-5)))" \
    -gravity north -font "$bold" -pointsize 48 \
    -fill '#000000' -annotate +3+10 'K-VOX' \
    -stroke '#000000' -strokewidth 2 -annotate +0+7 'K-VOX' -stroke none \
    \( -size ${w}x$h gradient:'#ffff90-#ffa000' \
       \( -size ${w}x$h xc:black -fill white -gravity north -font "$bold" -pointsize 48 -annotate +0+7 'K-VOX' \) \
       -alpha off -compose CopyOpacity -composite \) -compose over -composite \
    -draw "fill #e0b000 rectangle 36,64 193,64 fill #000000 rectangle 37,65 194,65" \
    -gravity north -fill '#ffffff' -font "$sans" -pointsize 12 -annotate +0+68 'Cyrillic for Windows 95' \
    "$tmp/logo.miff"
save256 "$tmp/logo.miff" "$out/kvoxlog1.bmp"

# ---- NATION: a globe on grey, Europe and Asia towards the viewer.
cx=48 cy=44 r=38
land="fill #008000 stroke none
  polygon 26,24 34,16 46,11 60,9 72,12 82,20 87,30 84,36 77,35 72,42 66,41 61,47 56,41 50,39 44,36 38,37 33,33 27,31
  polygon 33,41 43,39 50,43 56,48 58,56 54,64 49,72 45,77 42,74 40,64 36,56 30,53 28,46
  polygon 60,49 66,47 71,53 67,60 63,56
  polygon 74,46 80,44 83,52 78,56
  polygon 14,30 20,26 24,30 20,34"
grid="fill none stroke #000080 stroke-width 1
  line 0,$cy 95,$cy line 0,$((cy-19)) 95,$((cy-19)) line 0,$((cy+19)) 95,$((cy+19))
  line $cx,0 $cx,95 ellipse $cx,$cy 19,$r 0,360 ellipse $cx,$cy 33,$r 0,360"
convert -size 96x96 xc:'#c0c0c0' -fill '#808080' -draw "ellipse 50,88 30,4 0,360" \
    \( -size 96x96 xc:'#0000ff' +antialias -draw "$land" -draw "$grid" \
       \( -size 96x96 xc:black +antialias -fill white -draw "circle $cx,$cy $((cx+r)),$cy" \) \
       -alpha off -compose CopyOpacity -composite \) -compose over -composite \
    +antialias -fill none -stroke '#000000' -draw "circle $cx,$cy $((cx+r)),$cy" \
    -stroke '#ffffff' -draw "arc $((cx-r+5)),$((cy-r+5)) $((cx+r-5)),$((cy+r-5)) 200,240" \
    "$tmp/nation.miff"
save16 "$tmp/nation.miff" "$out/nation.bmp"

# ---- DIRECT: a 3.5-inch floppy disk.
convert -size 48x48 xc:'#c0c0c0' +antialias \
    -draw "fill #000080 stroke #000000 polygon 4,4 39,4 43,8 43,43 4,43" \
    -draw "fill #0000ff rectangle 5,5 12,5 rectangle 5,5 5,42" \
    -draw "fill #c0c0c0 stroke #000000 rectangle 13,4 34,17
           fill #ffffff stroke none rectangle 14,5 33,5 rectangle 14,5 14,16
           fill #000000 rectangle 27,7 30,14" \
    -draw "fill #ffffff stroke #000000 rectangle 9,23 38,43
           fill #ff0000 stroke none rectangle 10,24 37,26
           fill #808080 rectangle 12,30 35,30 rectangle 12,34 35,34 rectangle 12,38 30,38
           fill #000000 rectangle 6,39 7,41" \
    "$tmp/direct.miff"
save16 "$tmp/direct.miff" "$out/direct.bmp"

# ---- KVOXINF1..5: the pictures of the billboards, one per tool of the package.
frame() { convert -size 100x100 xc:'#c0c0c0' -draw "$(light 0 0 99 99)" +antialias "$@"; }

# 1: the registration card coming out of its envelope.
frame -draw "fill #ffffff stroke #000000 polygon 12,44 88,44 88,86 12,86" \
    -draw "fill #ffff00 stroke #000000 polygon 22,18 78,18 78,62 22,62
           fill #000080 stroke none rectangle 28,24 52,27
           fill #808080 rectangle 28,33 72,33 rectangle 28,39 72,39 rectangle 28,45 64,45
           fill #ff0000 stroke #000000 rectangle 62,22 73,31" \
    -draw "fill #ffffff stroke #000000 polygon 12,44 50,70 88,44 88,86 12,86
           fill none polyline 12,86 42,64 polyline 88,86 58,64" \
    "$tmp/inf1.miff"

# 2: text going from DOS to Windows and back: a text-mode page, a Windows page, two arrows.
doc() { # x y page ink: a page with a folded corner, a heading and lines of text
    x=$1 y=$2
    echo "fill $3 stroke #000000 polygon $x,$y $((x+24)),$y $((x+32)),$((y+8)) $((x+32)),$((y+42)) $x,$((y+42))
          fill #c0c0c0 polygon $((x+24)),$y $((x+24)),$((y+8)) $((x+32)),$((y+8))
          fill $4 stroke none rectangle $((x+4)),$((y+4)) $((x+17)),$((y+8))
          rectangle $((x+4)),$((y+13)) $((x+27)),$((y+14)) rectangle $((x+4)),$((y+19)) $((x+24)),$((y+20))
          rectangle $((x+4)),$((y+25)) $((x+27)),$((y+26)) rectangle $((x+4)),$((y+31)) $((x+20)),$((y+32))
          rectangle $((x+4)),$((y+37)) $((x+25)),$((y+38))"
}
frame -draw "$(doc 10 8 '#000000' '#c0c0c0')" -draw "$(doc 58 8 '#ffffff' '#000080')" \
    -draw "fill #ff0000 stroke #000000 polygon 26,60 60,60 60,55 73,63 60,71 60,66 26,66
           fill #00ff00 polygon 73,78 39,78 39,73 26,81 39,89 39,84 73,84" \
    "$tmp/inf2.miff"

# Keyboard at x y: a grey case with three rows of white keys and a space bar.
keyboard() {
    x=$1 y=$2
    s="fill #c0c0c0 stroke #000000 polygon $x,$y $((x+79)),$y $((x+79)),$((y+33)) $x,$((y+33))
       fill #ffffff stroke #000000"
    for row in 0 1 2; do
        kx=$((x+4+row*3))
        ky=$((y+4+row*7))
        n=0
        while [ $n -lt $((10-row)) ]; do
            s="$s rectangle $((kx+n*7)),$ky $((kx+n*7+5)),$((ky+5))"
            n=$((n+1))
        done
    done
    echo "$s rectangle $((x+20)),$((y+25)) $((x+58)),$((y+29))
          fill #808080 stroke none rectangle $((x+1)),$((y+32)) $((x+78)),$((y+32))"
}

# 3: the keyboard editor: a keyboard and a pencil writing on it.
frame -draw "$(keyboard 10 58)" \
    -draw "fill #ffff00 stroke #000000 polygon 76,10 84,18 48,54 40,46
           fill #808000 stroke none polygon 81,16 84,18 48,54 45,51
           fill #c0c0c0 stroke #000000 polygon 76,10 84,18 81,21 73,13
           fill #ff0000 polygon 76,10 84,18 89,13 81,5
           fill #ffffff polygon 40,46 48,54 37,57
           fill #000000 stroke none polygon 39,52 42,55 37,57" \
    "$tmp/inf3.miff"

# 4: the on-screen keyboard: a keyboard in a window, one key pressed by the mouse pointer.
frame -draw "fill #c0c0c0 stroke #000000 rectangle 6,22 93,80
             fill #000080 stroke none rectangle 8,24 91,30
             fill #ffffff rectangle 10,26 30,28
             fill #c0c0c0 stroke #000000 rectangle 84,24 90,30" \
    -draw "$(keyboard 10 40)" \
    -draw "fill #000080 stroke #000000 rectangle 52,51 57,56
           fill #ffffff polygon 55,53 55,77 61,71 66,82 70,80 65,70 73,70" \
    "$tmp/inf4.miff"

# 5: the picture viewer: a landscape in a gilt frame.
frame -draw "fill #808000 stroke #000000 rectangle 10,14 89,85
             fill #ffff00 stroke none rectangle 11,15 87,15 rectangle 11,15 11,83
             fill #ffff00 rectangle 18,78 82,78 rectangle 82,22 82,78
             fill #00ffff stroke #000000 rectangle 17,21 81,77
             fill #ffff00 circle 66,36 72,36
             fill #ffffff stroke none ellipse 34,34 8,4 0,360 ellipse 42,32 7,4 0,360
             fill #008000 stroke #000000 polygon 18,62 34,48 50,60 62,50 80,62 80,76 18,76
             fill #00ff00 stroke none polygon 18,70 40,62 60,68 80,64 80,76 18,76" \
    "$tmp/inf5.miff"
for i in 1 2 3 4 5; do save16 "$tmp/inf$i.miff" "$out/kvoxinf$i.bmp"; done

# ---- MYICON: a blue tile with a white K and a yellow Cyrillic Ya, drawn pixel by pixel
# so they stay sharp at this size.
ya() { # x y [colour]: an 8x11 Ya
    x=$1 y=$2
    echo "fill ${3:-#ffff00} rectangle $((x+6)),$y $((x+7)),$((y+10)) rectangle $((x+1)),$y $((x+5)),$((y+1))
          rectangle $x,$((y+1)) $((x+1)),$((y+4)) rectangle $((x+1)),$((y+5)) $((x+5)),$((y+6))
          rectangle $((x+3)),$((y+7)) $((x+4)),$((y+7)) rectangle $((x+2)),$((y+8)) $((x+3)),$((y+8))
          rectangle $((x+1)),$((y+9)) $((x+2)),$((y+9)) rectangle $x,$((y+10)) $((x+1)),$((y+10))"
}
convert -size 32x32 xc:'#0000ff' +antialias \
    -draw "fill #ffffff rectangle 0,0 30,0 rectangle 0,0 0,30
           fill #000000 rectangle 0,31 31,31 rectangle 31,0 31,31
           fill #000080 rectangle 1,30 30,30 rectangle 30,1 30,30" \
    -draw "fill #000080 rectangle 5,5 9,28 polygon 10,16 18,4 23,4 10,22 polygon 12,15 15,12 20,28 15,28" \
    -draw "fill #ffffff rectangle 4,4 8,27 polygon 9,15 17,3 22,3 9,21 polygon 11,14 14,11 19,27 14,27" \
    -draw "$(ya 22 17 '#000080')" -draw "$(ya 21 16)" \
    -depth 8 "RGBA:$tmp/myicon32.rgba"
convert -size 16x16 xc:'#0000ff' +antialias \
    -draw "fill #ffffff rectangle 0,0 14,0 rectangle 0,0 0,14 fill #000000 rectangle 0,15 15,15 rectangle 15,0 15,15" \
    -draw "fill #000080 rectangle 4,4 6,13 polygon 7,9 11,4 13,4 7,11 polygon 8,9 9,8 13,13 11,13" \
    -draw "fill #ffffff rectangle 3,3 5,12 polygon 6,8 10,3 12,3 6,10 polygon 7,8 8,7 12,12 10,12" \
    -depth 8 "RGBA:$tmp/myicon16.rgba"

# ---- The icons of the installation options: 32x32 and a simpler 16x16 each, on a
# transparent ground, in the colours and outlines of the billboard pictures.
dump() { # name size draw-options...: one icon image as raw RGBA for the writer below
    n=$1 s=$2; shift 2
    convert -size ${s}x$s xc:none +antialias "$@" -depth 8 "RGBA:$tmp/$n$s.rgba"
}
glyph() { # x y colour rows...: a point at every '#'; for letters too small for polygons
    gx=$1 gy=$2 gc=$3; shift 3
    printf '%s\n' "$@" | awk -v x="$gx" -v y="$gy" -v c="$gc" '
        BEGIN { printf "fill %s stroke none", c }
        { for (i = 1; i <= length($0); i++) if (substr($0, i, 1) == "#") printf " point %d,%d", x + i - 1, y + NR - 1 }'
}
bluetile() { # x0 y0 x1 y1: the raised blue square of MYICON
    echo "fill #0000ff stroke none rectangle $1,$2 $3,$4
          fill #ffffff rectangle $1,$2 $(($3-1)),$2 rectangle $1,$2 $1,$(($4-1))
          fill #000000 rectangle $1,$4 $3,$4 rectangle $3,$2 $3,$4"
}
keycap() { # x0 y0 x1 y1: a key seen from the front, white top over a grey skirt
    echo "fill #808080 stroke #000000 rectangle $1,$2 $3,$4
          fill #c0c0c0 stroke none rectangle $(($1+1)),$(($2+1)) $(($3-1)),$(($4-3))
          fill #ffffff rectangle $(($1+2)),$(($2+1)) $(($3-2)),$(($4-4))"
}

# 133: the program files: a disk carrying the K-VOX tile.
k='##..## ##.##. ####.. ###... ####.. ##.##. ##..##'
dump progfile 32 \
    -draw "fill #000080 stroke #000000 polygon 1,1 27,1 29,3 29,29 1,29
           fill #c0c0c0 rectangle 8,1 22,11
           fill #ffffff stroke none rectangle 9,2 21,2 rectangle 9,2 9,10
           fill #000000 rectangle 17,3 19,9
           fill #ffffff stroke #000000 rectangle 4,15 25,29
           fill #ff0000 stroke none rectangle 5,16 24,17
           fill #808080 rectangle 7,20 15,20 rectangle 7,23 13,23 rectangle 7,26 14,26
           fill #000000 rectangle 2,26 3,27" \
    -draw "$(bluetile 18 18 31 31)" -draw "$(glyph 22 22 '#000080' $k)" -draw "$(glyph 21 21 '#ffffff' $k)"
dump progfile 16 \
    -draw "fill #000080 stroke #000000 polygon 0,0 13,0 14,1 14,14 0,14
           fill #c0c0c0 rectangle 4,0 11,5 fill #000000 stroke none rectangle 8,1 9,4
           fill #ffffff stroke #000000 rectangle 2,8 12,14" \
    -draw "$(bluetile 8 8 15 15)" -draw "$(glyph 10 9 '#ffffff' '#.#' '##.' '#..' '##.' '#.#')"

# 131: the keyboard layouts: a keyboard with a Cyrillic tag stuck on its corner.
kbd32() { # y: top of the case; three rows of keys over a space bar
    s="fill #c0c0c0 stroke #000000 rectangle 0,$1 31,$(($1+20))
       fill #ffffff stroke none rectangle 1,$(($1+1)) 30,$(($1+1)) rectangle 1,$(($1+1)) 1,$(($1+18))
       fill #808080 rectangle 1,$(($1+19)) 30,$(($1+19)) rectangle 30,$(($1+1)) 30,$(($1+19))"
    for r in 0 1 2; do
        kx=$((3+r)) ky=$(($1+3+r*4))
        while [ $kx -lt $((28-r)) ]; do
            s="$s fill #ffffff rectangle $kx,$ky $((kx+1)),$((ky+1)) fill #808080 rectangle $kx,$((ky+2)) $((kx+1)),$((ky+2))"
            kx=$((kx+3))
        done
    done
    echo "$s fill #ffffff rectangle 9,$(($1+15)) 22,$(($1+16)) fill #808080 rectangle 9,$(($1+17)) 22,$(($1+17))"
}
dump layouts 32 -draw "$(kbd32 10)" \
    -draw "fill #000000 rectangle 19,1 31,15" -draw "$(bluetile 18 0 30 14)" -draw "$(ya 22 3 '#000080')" -draw "$(ya 21 2)"
dump layouts 16 \
    -draw "fill #c0c0c0 stroke #000000 rectangle 0,6 15,15
           fill #ffffff stroke none rectangle 1,7 14,7 rectangle 1,7 1,13
           fill #808080 rectangle 1,14 14,14 rectangle 14,7 14,14" \
    -draw "$(glyph 3 9 '#ffffff' '##.##.##.##' '...........' '.##.##.##.#' '...........' '..#######')" \
    -draw "fill #000000 rectangle 9,1 15,8" -draw "$(bluetile 8 0 14 7)" \
    -draw "$(glyph 10 1 '#ffff00' '.###' '#..#' '.###' '.#.#' '#..#')"

# 136: fonts: a serif A and a Cyrillic Ya, thick and thin strokes, corner to corner.
dump fonts 32 \
    -draw "fill #000000 stroke none polygon 7.5,0 8.5,0 1.5,19 0.5,19 polygon 8.5,0 10.5,0 16.5,19 13.5,19
           rectangle 5,13 12,13 rectangle 0,20 4,20 rectangle 12,20 18,20" \
    -draw "fill #0000ff stroke none rectangle 20,10 29,10 rectangle 18,11 20,11 rectangle 17,12 19,17
           rectangle 18,18 20,18 rectangle 20,19 24,19 rectangle 25,10 27,30 rectangle 23,30 30,30
           polygon 19.5,20 22.5,20 17.5,29 14.5,29 rectangle 13,30 19,30"
dump fonts 16 \
    -draw "$(glyph 0 0 '#000000' '...#....' '..##....' '..##....' '.#.##...' '.#.##...' '.####...' '#...##..' '#...##..' '###.####')" \
    -draw "$(glyph 8 7 '#0000ff' '.#######' '##..##..' '##..##..' '.#####..' '...###..' '..#.##..' '.#..##..' '###.####')"

# 129: the applications: a program window with a hammer in it.
dump applic 32 \
    -draw "fill #c0c0c0 stroke #000000 rectangle 0,2 31,29
           fill #ffffff stroke none rectangle 1,3 29,3 rectangle 1,3 1,27
           fill #808080 rectangle 1,28 30,28 rectangle 30,3 30,28
           fill #000080 rectangle 3,5 28,9
           fill #c0c0c0 rectangle 25,6 27,8
           fill #808080 rectangle 3,11 28,11 rectangle 3,11 3,26
           fill #ffffff rectangle 4,12 28,26" \
    -draw "fill #808000 stroke #000000 polygon 6,24 8,26 19,15 17,13
           fill #c0c0c0 polygon 12,11 15,8 24,17 21,20
           fill #808080 stroke none polygon 21,19 23,17 23,18 21,20"
dump applic 16 \
    -draw "fill #c0c0c0 stroke #000000 rectangle 0,1 15,14
           fill #000080 stroke none rectangle 1,2 14,4
           fill #ffffff rectangle 2,6 13,13" \
    -draw "fill #808000 stroke none polygon 3,12 4,13 9,8 8,7
           fill #000000 polygon 6,7 8,5 12,9 10,11"

# 137: the DOS code page: a text screen with a prompt.
dump dospage 32 \
    -draw "fill #c0c0c0 stroke #000000 rectangle 0,3 31,28
           fill #ffffff stroke none rectangle 1,4 29,4 rectangle 1,4 1,26
           fill #808080 rectangle 1,27 30,27 rectangle 30,4 30,27
           fill #000000 rectangle 3,6 28,25
           fill #c0c0c0 rectangle 5,8 9,8 rectangle 11,8 18,8 rectangle 20,8 22,8
           rectangle 5,11 12,11 rectangle 14,11 25,11" \
    -draw "$(glyph 5 15 '#ffffff' '.##........#.....' '#...#.#.....#....' '#......#.....#...' '#...#...#..#.....' '.##.....#.#...###')"
dump dospage 16 \
    -draw "fill #c0c0c0 stroke #000000 rectangle 0,2 15,13
           fill #000000 stroke none rectangle 2,4 13,11" \
    -draw "$(glyph 3 5 '#ffffff' '.##.#....' '#....#...' '#.....#..' '#....#...' '.##.#..##')"

# 134: the layout switch: Ctrl and Shift under a double arrow.
dump hotkey 32 \
    -draw "fill #ff0000 stroke #000000 polygon 1,5 6,0 6,3 25,3 25,0 30,5 25,10 25,7 6,7 6,10" \
    -draw "$(keycap 0 14 16 30)" -draw "$(keycap 17 14 31 30)" \
    -draw "$(glyph 2 18 '#000000' '.##..#......#' '#...###.#.#.#' '#....#..##..#' '#....#..#...#' '.##..##.#...#')" \
    -draw "$(glyph 20 17 '#000000' '...#...' '..#.#..' '.#...#.' '###.###' '..#.#..' '..#.#..' '..###..')"
dump hotkey 16 \
    -draw "$(glyph 0 0 '#ff0000' '..#........#..' '.##........##.' '##############' '.##........##.' '..#........#..')" \
    -draw "$(keycap 0 7 7 15)" -draw "$(keycap 8 7 15 15)" \
    -draw "$(glyph 2 8 '#000000' '.##' '#..' '.##')" -draw "$(glyph 10 8 '#000000' '.#.' '###')"

# 130: the sample for programmers: a page of source with braces.
dump kdksample 32 \
    -draw "fill #ffffff stroke #000000 polygon 4,0 21,0 27,6 27,31 4,31
           fill #c0c0c0 polygon 21,0 21,6 27,6
           fill #000080 stroke none rectangle 7,4 11,4 fill #000000 rectangle 13,4 18,4
           rectangle 12,12 15,12 rectangle 17,12 22,12 rectangle 14,15 23,15 rectangle 12,18 19,18
           fill #008000 rectangle 7,28 20,28" \
    -draw "$(glyph 7 7 '#0000ff' '..##' '.#..' '.#..' '.#..' '#...' '.#..' '.#..' '.#..' '..##')" \
    -draw "$(glyph 7 16 '#0000ff' '##..' '..#.' '..#.' '..#.' '...#' '..#.' '..#.' '..#.' '##..')"
dump kdksample 16 \
    -draw "fill #ffffff stroke #000000 polygon 2,0 10,0 13,3 13,15 2,15
           fill #c0c0c0 polygon 10,0 10,3 13,3
           fill #000000 stroke none rectangle 7,5 10,5 rectangle 7,7 9,7 rectangle 7,9 10,9" \
    -draw "$(glyph 4 2 '#0000ff' '.#' '.#' '#.' '.#' '.#')" -draw "$(glyph 4 8 '#0000ff' '#.' '#.' '.#' '#.' '#.')"

# ICO and CUR are written here rather than by ImageMagick: Windows 95 wants 4-bit icons
# and 1-bit cursors with an AND mask, and a cursor needs its hotspot in the directory.
python3 - "$tmp" "$out" <<'EOF'
import struct, sys
tmp, out = sys.argv[1], sys.argv[2]
PAL = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(128,128,128),
       (192,192,192),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]

def dib(size, bpp, palette, index, opaque):
    """BITMAPINFOHEADER, colour table, XOR bits and AND mask of one icon image (bottom-up)."""
    head = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0, len(palette), 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    def plane(bits, value):
        stride = (size * bits + 31) // 32 * 4
        data = b''
        for y in reversed(range(size)):
            acc, n, row = 0, 0, bytearray()
            for x in range(size):
                acc, n = (acc << bits) | value(x, y), n + bits
                if n == 8:
                    row.append(acc); acc, n = 0, 0
            data += bytes(row) + bytes(stride - len(row))
        return data
    return head + table + plane(bpp, index) + plane(1, lambda x, y: 0 if opaque(x, y) else 1)

def write(path, kind, images):
    """images: (size, colours, extra1, extra2, dib); extras are planes/bits or the hotspot."""
    data = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, e1, e2, body in images:
        data += struct.pack('<BBBBHHII', size, size, colours, 0, e1, e2, len(body), offset)
        offset += len(body)
    with open(path, 'wb') as f:
        f.write(data + b''.join(i[4] for i in images))

def icon(name, size):
    raw = open(f'{tmp}/{name}{size}.rgba', 'rb').read()
    px = [raw[i:i + 4] for i in range(0, len(raw), 4)]
    opaque = lambda x, y: px[y * size + x][3] >= 128
    # Black under the mask: any other colour there would invert the desktop behind the icon.
    index = lambda x, y: PAL.index(tuple(px[y * size + x][:3])) if opaque(x, y) else 0
    return (size, 16, 1, 4, dib(size, 4, PAL, index, opaque))

for name in ('myicon', 'progfile', 'layouts', 'fonts', 'applic', 'dospage', 'hotkey', 'kdksample'):
    write(f'{out}/{name}.ico', 1, [icon(name, 32), icon(name, 16)])

# The hair-cross: a thin black cross with a white rim, hotspot in its middle.
c, arm = 16, 11
def cross(x, y):
    return (x == c and abs(y - c) <= arm) or (y == c and abs(x - c) <= arm)
def rim(x, y):
    return not cross(x, y) and any(cross(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))
cur = dib(32, 1, [(0, 0, 0), (255, 255, 255)], lambda x, y: 1 if rim(x, y) else 0,
          lambda x, y: cross(x, y) or rim(x, y))
write(f'{out}/haircr.cur', 2, [(32, 2, c, c, cur)])
EOF
