#!/usr/bin/env bash
# Draws the three pictures of the pages with ImageMagick and writes them into package/pages/,
# where they are kept under version control (the build copies them, it does not draw them):
#   Ondrel.gif  the product logo: the program icon beside the name, on a dusk-blue band
#   bg2.gif     the pages' background tile: pale paper with a faint dial-tone wave
#   icon.gif    the program icon, from the dialer's own icon (its 32 by 32 picture)
# Run it again after changing a description here, look at the result, and commit the GIFs.
set -euo pipefail

here=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")" && pwd)
repo=$(cd "$here/.." && pwd)
out=$here/pages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# icon.gif: the dialer's window icon as the pages show it, white behind its transparent parts.
convert "$repo/dialer/res/Ondrel.ico[0]" -background white -alpha remove -alpha off \
    +dither -colors 32 "$out/icon.gif"

# Ondrel.gif: 360 by 90; a band from night blue to dusk blue, a yellow horizon line, the icon at
# twice its size on a white tile, the name in bold serif and the version and the line beneath it.
convert "$repo/dialer/res/Ondrel.ico[0]" -background white -alpha remove -alpha off \
    -scale 200% -bordercolor white -border 4 -bordercolor '#102a6b' -border 1 "$work/tile.png"
convert -size 90x360 gradient:'#4a7fd6'-'#0b1f5c' -rotate 90 \
    -fill '#f2d24b' -draw 'rectangle 0,84 359,86' \
    "$work/tile.png" -geometry +12+12 -composite \
    -font DejaVu-Serif-Bold -pointsize 40 -fill '#0b1f5c' -annotate +96+52 'Ondrel' \
    -fill white -annotate +94+50 'Ondrel' \
    -font DejaVu-Sans-Bold -pointsize 14 -fill '#f2d24b' -annotate +252+50 'v1.3' \
    -font DejaVu-Sans -pointsize 12 -fill white -annotate +96+72 'Dial-up connection manager' \
    +dither -colors 64 "$out/Ondrel.gif"

# bg2.gif: a 64 by 64 tile of pale paper with a faint blue sine wave across it, seamless.
convert -size 64x64 xc:'#f6f8fc' -fill none -stroke '#d9e2f3' -strokewidth 2 \
    -draw "polyline $(awk 'BEGIN { for (x = 0; x <= 64; x += 2)
                                       printf "%d,%.1f ", x, 32 + 6 * sin(x * 3.14159265 / 32) }')" \
    -stroke '#edf1f9' -strokewidth 1 -draw 'line 0,8 63,8' -draw 'line 0,56 63,56' \
    "$out/bg2.gif"

ls -l "$out"/*.gif
