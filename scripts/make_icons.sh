#!/bin/sh
# Render the application icon (resources/pictures/app_icon.svg) to the PNG
# sizes used by desktop environments, and copy the SVG next to them.
# Needs rsvg-convert (Debian: librsvg2-bin) or ImageMagick's convert.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/resources/pictures/app_icon.svg"
out="$root/resources/icons"
name="io.github.ledra3.Ledra3"

mkdir -p "$out"
cp "$src" "$out/$name.svg"

for size in 16 32 48 64 128 256; do
    dst="$out/$name-$size.png"
    if command -v rsvg-convert >/dev/null 2>&1; then
        rsvg-convert -w "$size" -h "$size" "$src" -o "$dst"
    elif command -v convert >/dev/null 2>&1; then
        convert -background none -density 384 "$src" -resize "${size}x${size}" "$dst"
    else
        echo "make_icons.sh: need rsvg-convert (librsvg2-bin) or ImageMagick" >&2
        exit 1
    fi
    echo "wrote $dst"
done
