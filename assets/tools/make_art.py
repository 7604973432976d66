#!/usr/bin/env python3
"""Writes the SVG sources of Kelmora's larger pictures.

Outputs (relative to the assets folder):
  splash/src/splash.svg   450x200 start-up picture (maker's mark at the left,
                          blue panel at the right for the run-time texts)
  about/src/banner.svg    140x440 about-box banner, "Kelmora" in red on blue
  about/src/title.svg     79x51 cyan-to-blue title strip
  src/mark.svg            the TORVANTA mark alone, 128x128, for reuse
  about/src/logo.svg      237x45 maker's logo for the about box (mark + TORVANTA)
  about/src/credits-glyph.svg, about/src/team-glyph.svg
                          21x17 glyphs at the top of the two scrolling panels
  about/src/tamam.svg     32x16 two-state glyph of the "Tamam" button
  about/src/icon.svg      32x32 icon of the about box

The lettering is drawn with a small stroke alphabet defined below (centre
lines, round caps), so no font is needed to rebuild the pictures.
render.sh turns these sources into the PNG and JPEG files.
Only the standard library is used.
"""
import math
import os
import sys

ASSETS = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# --- the stroke alphabet --------------------------------------------------
# Each glyph: (advance width, SVG path data of centre lines) in a box where the
# cap height runs from y=0 to y=100, x-height from y=40, baseline y=100.
GLYPHS = {
    'T': (70, 'M0 0H70M35 0V100'),
    'O': (100, 'M50 0A50 50 0 1 1 50 100A50 50 0 1 1 50 0Z'),
    'R': (62, 'M0 100V0H32A25 25 0 0 1 32 50H0M30 50L62 100'),
    'V': (76, 'M0 0L38 100L76 0'),
    'A': (76, 'M0 100L38 0L76 100M15 62H61'),
    'N': (66, 'M0 100V0L66 100V0'),
    'K': (60, 'M0 0V100M60 0L4 56M22 39L62 100'),
    'e': (62, 'M2 71H62A31 31 0 1 0 53 92'),
    'l': (0, 'M0 0V100'),
    'm': (84, 'M0 100V40M0 62A21 21 0 0 1 42 62V100M42 62A21 21 0 0 1 84 62V100'),
    'o': (62, 'M31 40A30 30 0 1 1 31 100A30 30 0 1 1 31 40Z'),
    'r': (36, 'M0 100V40M0 68A28 28 0 0 1 36 40'),
    'a': (62, 'M31 40A30 30 0 1 1 31 100A30 30 0 1 1 31 40ZM62 40V100'),
}


def word_path(text, gap):
    """Returns (path data, total width) for `text`, letters `gap` units apart."""
    parts, x = [], 0.0
    for i, ch in enumerate(text):
        adv, d = GLYPHS[ch]
        parts.append(shift_path(d, x))
        x += adv + (gap if i + 1 < len(text) else 0)
    return ''.join(parts), x


def shift_path(d, dx):
    """Moves an absolute path (only M, H, V, L, A, Z commands) right by dx."""
    out, tokens = [], tokenize(d)
    i = 0
    while i < len(tokens):
        cmd = tokens[i]
        i += 1
        if cmd in 'ML':
            out.append('%s%g %g' % (cmd, float(tokens[i]) + dx, float(tokens[i + 1])))
            i += 2
        elif cmd == 'H':
            out.append('H%g' % (float(tokens[i]) + dx))
            i += 1
        elif cmd == 'V':
            out.append('V%g' % float(tokens[i]))
            i += 1
        elif cmd == 'A':
            rx, ry, rot, large, sweep, x, y = tokens[i:i + 7]
            out.append('A%s %s %s %s %s %g %g' % (rx, ry, rot, large, sweep, float(x) + dx, float(y)))
            i += 7
        elif cmd == 'Z':
            out.append('Z')
        else:
            raise ValueError('unsupported path command ' + cmd)
    return ''.join(out)


def tokenize(d):
    tokens, num = [], ''
    for c in d:
        if c.isalpha():
            if num:
                tokens.append(num)
                num = ''
            tokens.append(c)
        elif c in ' ,':
            if num:
                tokens.append(num)
                num = ''
        elif c == '-' and num:
            tokens.append(num)
            num = c
        else:
            num += c
    if num:
        tokens.append(num)
    return tokens


# --- the TORVANTA mark ----------------------------------------------------
# A rounded square cut into three tiles; the T is the gap left between them.
# On a 16-unit grid: top tile 1..6, gap 6..8, lower tiles 8..15 split at 7..9.
def mark(x, y, size, gap_fill=None, ids='m'):
    s = size / 16.0
    r = 2 * s

    def X(v):
        return x + v * s

    def Y(v):
        return y + v * s
    top = ('M{l} {b}V{t1}A{r} {r} 0 0 1 {l1} {t}H{r1}A{r} {r} 0 0 1 {rr} {t1}V{b}Z'
           .format(l=X(1), b=Y(6), t1=Y(1) + r, r=r, l1=X(1) + r, t=Y(1), r1=X(15) - r, rr=X(15)))
    left = ('M{l} {t}H{m}V{b}H{l1}A{r} {r} 0 0 1 {l} {b1}Z'
            .format(l=X(1), t=Y(8), m=X(7), b=Y(15), l1=X(1) + r, r=r, b1=Y(15) - r))
    right = ('M{m} {t}H{rr}V{b1}A{r} {r} 0 0 1 {r1} {b}H{m}Z'
             .format(m=X(9), t=Y(8), rr=X(15), b1=Y(15) - r, r=r, r1=X(15) - r, b=Y(15)))
    out = []
    if gap_fill:
        # the T itself, filled so that it shows (the splash keys out pure white)
        out.append('<path d="M{} {}H{}V{}H{}V{}H{}V{}H{}V{}Z" fill="{}"/>'.format(
            X(1) + s, Y(6), X(15) - s, Y(8), X(9), Y(15), X(7), Y(8), X(1) + s, Y(6), gap_fill))
    out.append('''<linearGradient id="{i}a" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#2F7CE8"/><stop offset="1" stop-color="#1F5EC4"/></linearGradient>
    <linearGradient id="{i}b" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1D55B4"/><stop offset="1" stop-color="#123C86"/></linearGradient>
    <linearGradient id="{i}c" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#FFA43A"/><stop offset="1" stop-color="#E97E16"/></linearGradient>'''.format(i=ids))
    out.append('<path d="%s" fill="url(#%sa)"/>' % (top, ids))
    out.append('<path d="%s" fill="url(#%sb)"/>' % (left, ids))
    out.append('<path d="%s" fill="url(#%sc)"/>' % (right, ids))
    return '\n    '.join(out)


def write(rel, text):
    path = os.path.join(ASSETS, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


def inner_svg(rel, prefix):
    """The drawing of another SVG file, with its ids prefixed to stay unique."""
    with open(os.path.join(ASSETS, rel), encoding='utf-8') as f:
        body = f.read()
    start = body.index('>', body.index('<svg')) + 1
    body = body[start:body.rindex('</svg>')]
    return body.replace('id="', 'id="%s' % prefix).replace('url(#', 'url(#%s' % prefix)


# --- the splash -----------------------------------------------------------
def splash():
    # Wordmark: cap height 26 px under the mark, centred on x = 115. A pale
    # halo keeps it readable over a dark desktop.
    cap, stroke_u, gap_u = 26.0, 22.0, 24.0
    d, w = word_path('TORVANTA', gap_u)
    sc = cap / (100.0 + stroke_u)
    wx = 115 - (w * sc) / 2
    wy = 151 + stroke_u / 2 * sc
    icon = inner_svg('app/kelmora.svg', 'ic')
    # Panel texts drawn by the program: label 257,95 160x32; version right
    # edge 416 at y 126; progress bar 257,166 152x7. Nothing is painted there.
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="450" height="200" viewBox="0 0 450 200">
  <!-- Kelmora start-up picture. Pure white (#FFFFFF) is the see-through colour:
       only the background uses it; render.sh makes every shape edge hard. -->
  <defs>
    <linearGradient id="panel" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#2358B8"/>
      <stop offset="0.42" stop-color="#1A479C"/>
      <stop offset="1" stop-color="#143B86"/>
    </linearGradient>
    <linearGradient id="sheen" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#7FB2FF" stop-opacity="0"/>
      <stop offset="0.5" stop-color="#7FB2FF" stop-opacity="0.55"/>
      <stop offset="1" stop-color="#7FB2FF" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <rect width="450" height="200" fill="#FFFFFF"/>

  <!-- the maker: mark and wordmark -->
  <g>
    {mark}
  </g>
  <g transform="translate({wx:.2f} {wy:.2f}) scale({sc:.5f})" fill="none"
     stroke-linecap="round" stroke-linejoin="round">
    <path d="{word}" stroke="#F4F7FB" stroke-width="{halo}"/>
    <path d="{word}" stroke="#17448F" stroke-width="{sw}"/>
  </g>

  <!-- the product panel -->
  <rect x="240" y="8" width="200" height="184" rx="18" fill="#0D2C66"/>
  <rect x="242" y="10" width="196" height="180" rx="16" fill="url(#panel)"/>
  <path d="M258 11.5H422" stroke="url(#sheen)"/>
  <svg x="308" y="18" width="64" height="64" viewBox="0 0 64 64">
    {icon}
  </svg>
  <rect x="282" y="86" width="116" height="1" fill="#4F82D6" fill-opacity="0.7"/>
  <rect x="250" y="180" width="180" height="2" rx="1" fill="#F39223"/>
</svg>
'''.format(mark=mark(51, 10, 128, gap_fill='#F4F7FB', ids='mk'), wx=wx, wy=wy, sc=sc, sw=stroke_u,
           word=d, icon=icon, halo=stroke_u + 14)


# --- the about box's banner -------------------------------------------------
def banner():
    # "Kelmora" set vertically, reading upwards, letters about 60 px tall.
    stroke_u, gap_u = 20.0, 30.0
    d, w = word_path('Kelmora', gap_u)
    sc = 66.0 / (100.0 + stroke_u)
    length = (w + stroke_u) * sc
    # after rotating by -90 degrees the word runs from y = bottom upwards
    y0 = 220 + length / 2 - stroke_u / 2 * sc
    x0 = 70 - (100 + stroke_u) * sc / 2 + stroke_u / 2 * sc + 3
    lines = ''.join('<path d="M0 %d.5H140"/>' % y for y in range(14, 440, 18))
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="140" height="440" viewBox="0 0 140 440">
  <!-- About-box banner: the product name in red on blue, set vertically. -->
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0.35" y2="1">
      <stop offset="0" stop-color="#1F5FCF"/>
      <stop offset="0.55" stop-color="#133F99"/>
      <stop offset="1" stop-color="#0A255F"/>
    </linearGradient>
    <linearGradient id="glow" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#5E9BFF" stop-opacity="0"/>
      <stop offset="0.5" stop-color="#5E9BFF" stop-opacity="0.35"/>
      <stop offset="1" stop-color="#5E9BFF" stop-opacity="0"/>
    </linearGradient>
    <linearGradient id="red" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#FF5A4A"/>
      <stop offset="1" stop-color="#D9221A"/>
    </linearGradient>
  </defs>
  <rect width="140" height="440" fill="url(#sky)"/>
  <g stroke="#FFFFFF" stroke-opacity="0.06">{lines}</g>
  <rect x="38" y="0" width="64" height="440" fill="url(#glow)"/>
  <rect x="14" y="0" width="2" height="440" fill="#E2453C" fill-opacity="0.85"/>
  <rect x="124" y="0" width="2" height="440" fill="#E2453C" fill-opacity="0.85"/>
  <g transform="translate({x0:.2f} {y0:.2f}) rotate(-90) scale({sc:.5f})" fill="none"
     stroke-linecap="round" stroke-linejoin="round">
    <path d="{word}" stroke="#061638" stroke-opacity="0.55" stroke-width="{sh}" transform="translate(5 7)"/>
    <path d="{word}" stroke="#FFF4E8" stroke-width="{ol}"/>
    <path d="{word}" stroke="url(#red)" stroke-width="{sw}"/>
  </g>
  <!-- the maker's mark at the foot -->
  {mark}
</svg>
'''.format(mark=mark(54, 398, 32, gap_fill='#EAF1FB', ids='bm'), lines=lines, x0=x0, y0=y0, sc=sc, word=d, sw=stroke_u, ol=stroke_u + 10,
           sh=stroke_u + 10)


def title():
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="79" height="51" viewBox="0 0 79 51">
  <!-- Title strip picture: cyan at the top left shading to blue at the bottom right. -->
  <defs>
    <linearGradient id="g" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="79" y2="51">
      <stop offset="0" stop-color="#00FFFF"/>
      <stop offset="1" stop-color="#0000FF"/>
    </linearGradient>
  </defs>
  <rect width="79" height="51" fill="url(#g)"/>
</svg>
'''


def mark_alone():
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">
  <!-- The TORVANTA mark: a rounded square cut into three tiles; the T is the gap. -->
  <defs/>
  {}
</svg>
'''.format(mark(0, 0, 128, ids='m'))


# --- the about box's own pictures -------------------------------------------
def logo():
    # The mark, then the company name in the stroke alphabet, dark blue.
    stroke_u, gap_u = 16.0, 22.0
    d, w = word_path('TORVANTA', gap_u)
    sc = 25.0 / (100.0 + stroke_u)
    x0 = 52 + stroke_u / 2 * sc
    y0 = 10 + stroke_u / 2 * sc
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="237" height="45" viewBox="0 0 237 45">
  <!-- The maker's logo: the mark and the name; the background stays see-through. -->
  <defs/>
  {mark}
  <g transform="translate({x0:.2f} {y0:.2f}) scale({sc:.5f})" fill="none" stroke-linecap="round"
     stroke-linejoin="round">
    <path d="{word}" stroke="#123C86" stroke-width="{sw}"/>
  </g>
  <rect x="53" y="40" width="{uw:.1f}" height="2.2" rx="1.1" fill="#E97E16"/>
</svg>
'''.format(mark=mark(0, -0.5, 46, ids='lg'), x0=x0, y0=y0, sc=sc, word=d, sw=stroke_u, uw=(w + stroke_u) * sc)


def credits_glyph():
    # The mark in small, on the black of the credits panel.
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="21" height="17" viewBox="0 0 21 17">
  <!-- Credits panel glyph: the TORVANTA mark, 17 px tall. -->
  <defs/>
  {}
</svg>
'''.format(mark(2, 0, 17, ids='cg'))


def team_glyph():
    # Two people, the one in front a little larger: the team.
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="21" height="17" viewBox="0 0 21 17">
  <!-- Team panel glyph: two figures in light blue and white on the navy panel. -->
  <circle cx="14.5" cy="4.2" r="2.8" fill="#9CC3FF"/>
  <path d="M9.5 15.5V13A5 5 0 0 1 19.5 13V15.5Z" fill="#9CC3FF"/>
  <circle cx="8" cy="5.2" r="3.3" fill="#FFFFFF"/>
  <path d="M2 16.5V14A6 6 0 0 1 14 14V16.5Z" fill="#FFFFFF"/>
</svg>
'''


def tamam():
    # Normal and disabled pictures side by side, 16 x 16 each: a tick.
    tick = 'M3.2 8.6L6.6 12L12.8 4.2'
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="32" height="16" viewBox="0 0 32 16">
  <!-- "Tamam" button glyph: a green tick, and the same tick greyed out. -->
  <g fill="none" stroke-linecap="round" stroke-linejoin="round">
    <path d="{t}" stroke="#0B5D1E" stroke-width="3.6"/>
    <path d="{t}" stroke="#35B34A" stroke-width="2.2"/>
    <g transform="translate(16 0)">
      <path d="{t}" stroke="#FFFFFF" stroke-width="3" transform="translate(1 1)"/>
      <path d="{t}" stroke="#8C8C8C" stroke-width="2.2"/>
    </g>
  </g>
</svg>
'''.format(t=tick)


def about_icon():
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <!-- About box icon: an "i" in a blue disc. -->
  <defs>
    <linearGradient id="d" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#2F7CE8"/><stop offset="1" stop-color="#123C86"/>
    </linearGradient>
  </defs>
  <circle cx="16" cy="16" r="14.5" fill="url(#d)" stroke="#0A255F" stroke-width="1"/>
  <circle cx="16" cy="9" r="2.4" fill="#FFFFFF"/>
  <path d="M13 13.5H17.6V22.5H19.5V25H12.5V22.5H14.4V16H13Z" fill="#FFFFFF"/>
</svg>
'''


def main():
    write('splash/src/splash.svg', splash())
    write('about/src/logo.svg', logo())
    write('about/src/credits-glyph.svg', credits_glyph())
    write('about/src/team-glyph.svg', team_glyph())
    write('about/src/tamam.svg', tamam())
    write('about/src/icon.svg', about_icon())
    write('about/src/banner.svg', banner())
    write('about/src/title.svg', title())
    write('src/mark.svg', mark_alone())
    return 0


if __name__ == '__main__':
    sys.exit(main())
