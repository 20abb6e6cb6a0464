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
    -depth 8 "RGBA:$tmp/icon32.rgba"
convert -size 16x16 xc:'#0000ff' +antialias \
    -draw "fill #ffffff rectangle 0,0 14,0 rectangle 0,0 0,14 fill #000000 rectangle 0,15 15,15 rectangle 15,0 15,15" \
    -draw "fill #000080 rectangle 4,4 6,13 polygon 7,9 11,4 13,4 7,11 polygon 8,9 9,8 13,13 11,13" \
    -draw "fill #ffffff rectangle 3,3 5,12 polygon 6,8 10,3 12,3 6,10 polygon 7,8 8,7 12,12 10,12" \
    -depth 8 "RGBA:$tmp/icon16.rgba"

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

def icon(size):
    raw = open(f'{tmp}/icon{size}.rgba', 'rb').read()
    px = [raw[i:i + 4] for i in range(0, len(raw), 4)]
    index = lambda x, y: PAL.index(tuple(px[y * size + x][:3]))
    opaque = lambda x, y: px[y * size + x][3] >= 128
    return (size, 16, 1, 4, dib(size, 4, PAL, index, opaque))

write(f'{out}/myicon.ico', 1, [icon(32), icon(16)])

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
