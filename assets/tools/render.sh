#!/bin/sh
# Rebuilds every picture under assets/ from its source.
# Needs: python3, rsvg-convert (librsvg2-bin), ImageMagick 6 (convert-im6.q16).
# The generated files are committed, so the program's build never runs this.
set -eu
cd "$(dirname "$0")/.."
IM=${IM:-convert-im6.q16}

python3 tools/make_art.py

# Toolbar and menu images: drawn on a 16-unit grid, rendered at 1x and 2x.
for src in icons/src/*.svg; do
    n=$(basename "$src" .svg)
    rsvg-convert -w 16 -h 16 "$src" -o "icons/$n.png"
    rsvg-convert -w 32 -h 32 "$src" -o "icons/$n@2x.png"
done

# Glyphs of the version check's buttons, each in its normal and its disabled
# state, rendered at 1x and 2x like the toolbar images.
for src in version/src/*.svg; do
    n=$(basename "$src" .svg)
    rsvg-convert -w 16 -h 16 "$src" -o "version/$n.png"
    rsvg-convert -w 32 -h 32 "$src" -o "version/$n@2x.png"
done

# Program icon: hand-drawn small sizes, the scalable drawing for the rest.
for s in 16 32 48; do
    rsvg-convert -w $s -h $s "app/src/kelmora-$s.svg" -o "app/kelmora-$s.png"
done
for s in 64 128 256; do
    rsvg-convert -w $s -h $s app/kelmora.svg -o "app/kelmora-$s.png"
done

# Splash: white is the colour key. Render with transparency, make every edge
# hard (coverage of at least one half shows, in the shape's own colour), turn
# any white that shows into #FEFEFE, and lay the result on pure white.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rsvg-convert -w 450 -h 200 splash/src/splash.svg -o "$tmp/full.png"
# the source paints a white background for previewing; drop it for the mask
sed 's|<rect width="450" height="200" fill="#FFFFFF"/>||' splash/src/splash.svg > "$tmp/shape.svg"
rsvg-convert -w 450 -h 200 "$tmp/shape.svg" -o "$tmp/shape.png"
$IM "$tmp/shape.png" -alpha extract -threshold 50% "$tmp/mask.png"
$IM "$tmp/shape.png" -alpha off -fill '#FEFEFE' -opaque '#FFFFFF' "$tmp/rgb.png"
$IM "$tmp/rgb.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite \
    -background '#FFFFFF' -compose Over -flatten -strip PNG24:splash/splash.png

# About box pictures.
rsvg-convert -w 79 -h 51 about/src/title.svg -o "$tmp/title.png"
$IM "$tmp/title.png" -background '#000000' -flatten -strip PNG24:about/title.png
rsvg-convert -w 140 -h 440 about/src/banner.svg -o "$tmp/banner.png"
$IM "$tmp/banner.png" -background '#0A255F' -flatten -strip -sampling-factor 1x1 \
    -quality 93 about/banner.jpg

# The about box's own pictures. The logo is a GIF with one see-through
# colour: its soft edges are first laid on the dialog's grey, then every pixel
# at least half covered shows and the rest is see-through.
rsvg-convert -w 237 -h 45 about/src/logo.svg -o "$tmp/logo.png"
$IM "$tmp/logo.png" -alpha extract -threshold 50% "$tmp/logo-mask.png"
$IM "$tmp/logo.png" -background '#EFEFEF' -alpha remove "$tmp/logo-rgb.png"
$IM "$tmp/logo-rgb.png" "$tmp/logo-mask.png" -alpha off -compose CopyOpacity -composite \
    -strip about/logo.gif
for g in credits-glyph team-glyph; do
    rsvg-convert -w 21 -h 17 "about/src/$g.svg" -o "about/$g.png"
done
rsvg-convert -w 32 -h 16 about/src/tamam.svg -o about/tamam.png
rsvg-convert -w 32 -h 32 about/src/icon.svg -o about/icon.png
