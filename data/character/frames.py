#!/usr/bin/env python3
"""Draws the frames of the Merlin character as SVG files (run it after changing the artwork).

Every frame shares one body; only the eyes, the mouth and the wand arm change, so the frames
stay in register when the window flips between them.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def star(cx, cy, r, points=5, inner=0.45, rot=-90):
    pts = []
    for i in range(points * 2):
        rad = r if i % 2 == 0 else r * inner
        a = math.radians(rot + i * 180 / points)
        pts.append(f"{cx + rad * math.cos(a):.1f},{cy + rad * math.sin(a):.1f}")
    return "M" + " L".join(pts) + " Z"


DEFS = """<defs>
  <linearGradient id="robe" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#4f63e8"/><stop offset="1" stop-color="#2a2f9c"/>
  </linearGradient>
  <linearGradient id="hat" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#7a55e0"/><stop offset="1" stop-color="#43299e"/>
  </linearGradient>
  <radialGradient id="face" cx="0.45" cy="0.4" r="0.7">
    <stop offset="0" stop-color="#ffe6cf"/><stop offset="1" stop-color="#f6c39b"/>
  </radialGradient>
  <linearGradient id="beard" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#dcdfe8"/>
  </linearGradient>
  <radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">
    <stop offset="0" stop-color="#fff7b0" stop-opacity="0.95"/>
    <stop offset="1" stop-color="#ffd84a" stop-opacity="0"/>
  </radialGradient>
</defs>"""

INK = "#2b2350"


def body():
    s = []
    s.append('<ellipse cx="64" cy="121" rx="34" ry="5" fill="#000" opacity="0.18"/>')
    # robe with a golden hem
    s.append('<path d="M46,72 C40,88 34,104 27,116 Q64,125 101,116 C94,104 88,88 82,72 '
             'Q64,64 46,72 Z" fill="url(#robe)" stroke="%s" stroke-width="1.6"/>' % INK)
    s.append('<path d="M28.5,113.5 Q64,122 99.5,113.5" fill="none" stroke="#ffcf3f" '
             'stroke-width="3" stroke-linecap="round"/>')
    for (x, y, r) in [(40, 104, 3.2), (56, 98, 2.4), (86, 102, 3.0), (72, 110, 2.2),
                      (48, 88, 2.0), (80, 90, 2.0)]:
        s.append(f'<path d="{star(x, y, r)}" fill="#ffd84a"/>')
    # left sleeve hanging, hand at its cuff
    s.append('<path d="M48,74 C42,82 37,92 33,101 L43,104 C45,96 48,88 52,82 Z" '
             'fill="url(#robe)" stroke="%s" stroke-width="1.6" stroke-linejoin="round"/>' % INK)
    s.append('<circle cx="37" cy="105" r="4.6" fill="url(#face)" stroke="%s" '
             'stroke-width="1.3"/>' % INK)
    return "\n".join(s)


def wand_arm(raised, angle):
    """The right arm with the wand: down at the side, or raised for a wave."""
    s = []
    if raised:
        s.append('<path d="M78,74 C86,70 94,64 98,56 L106,61 C101,70 92,79 84,83 Z" '
                 'fill="url(#robe)" stroke="%s" stroke-width="1.6" '
                 'stroke-linejoin="round"/>' % INK)
        hx, hy = 102, 56
    else:
        s.append('<path d="M80,74 C86,82 91,92 95,100 L85,103 C83,95 80,88 76,82 Z" '
                 'fill="url(#robe)" stroke="%s" stroke-width="1.6" '
                 'stroke-linejoin="round"/>' % INK)
        hx, hy = 91, 103
    a = math.radians(angle)
    length = 26
    tx, ty = hx + length * math.cos(a), hy + length * math.sin(a)
    s.append(f'<line x1="{hx:.1f}" y1="{hy:.1f}" x2="{tx:.1f}" y2="{ty:.1f}" stroke="#6b3f1d" '
             'stroke-width="3.2" stroke-linecap="round"/>')
    s.append(f'<circle cx="{tx:.1f}" cy="{ty:.1f}" r="10" fill="url(#glow)"/>')
    s.append(f'<path d="{star(tx, ty, 6.5)}" fill="#ffd84a" stroke="#c78a00" '
             'stroke-width="1" stroke-linejoin="round"/>')
    s.append(f'<circle cx="{hx:.1f}" cy="{hy:.1f}" r="4.6" fill="url(#face)" stroke="{INK}" '
             'stroke-width="1.3"/>')
    if raised:
        for (dx, dy, r) in [(-11, -4, 2.2), (8, 9, 1.8), (-4, 12, 1.5), (10, -8, 1.6)]:
            s.append(f'<path d="{star(tx + dx, ty + dy, r, 4, 0.35)}" fill="#fff1a0"/>')
    return "\n".join(s)


def head(eyes, mouth):
    s = []
    s.append('<circle cx="64" cy="55" r="14.5" fill="url(#face)" stroke="%s" '
             'stroke-width="1.6"/>' % INK)
    s.append('<ellipse cx="54.5" cy="61" rx="3.6" ry="2.3" fill="#ff8fa3" opacity="0.55"/>')
    s.append('<ellipse cx="73.5" cy="61" rx="3.6" ry="2.3" fill="#ff8fa3" opacity="0.55"/>')
    # mouth sits above the beard so that it can open while speaking
    if mouth == "closed":
        s.append('<path d="M60.5,67.5 Q64,70.5 67.5,67.5" fill="none" stroke="#8a2a3a" '
                 'stroke-width="1.6" stroke-linecap="round"/>')
    # beard
    s.append('<path d="M49.5,57 C47,70 50,84 57,92 C59,95 61,93 62,96 C63,98 65,98 66,96 '
             'C67,93 69,95 71,92 C78,84 81,70 78.5,57 C76,64 72,72 64,72 C56,72 52,64 49.5,57 Z" '
             'fill="url(#beard)" stroke="%s" stroke-width="1.4" stroke-linejoin="round"/>' % INK)
    s.append('<path d="M58,80 Q60,86 59,90 M70,80 Q68,86 69,90 M64,78 L64,92" fill="none" '
             'stroke="#c9cdd9" stroke-width="1.1" stroke-linecap="round"/>')
    if mouth != "closed":
        ry = 4.2 if mouth == "open" else 2.4
        s.append(f'<ellipse cx="64" cy="69" rx="3.8" ry="{ry}" fill="#7a2233" stroke="{INK}" '
                 'stroke-width="1"/>')
        s.append(f'<ellipse cx="64" cy="{69 + ry * 0.45:.1f}" rx="2.3" ry="{ry * 0.4:.1f}" '
                 'fill="#ff7b8f"/>')
    # moustache
    s.append('<path d="M64,64 C60,61 54,62 51,66 C55,66 58,68 64,66.5 C70,68 73,66 77,66 '
             'C74,62 68,61 64,64 Z" fill="#ffffff" stroke="%s" stroke-width="1.2" '
             'stroke-linejoin="round"/>' % INK)
    s.append('<ellipse cx="64" cy="60" rx="2.8" ry="2.4" fill="#f2a983"/>')
    if eyes == "open":
        for x in (58, 70):
            s.append(f'<ellipse cx="{x}" cy="53.5" rx="3" ry="3.6" fill="#ffffff" stroke="{INK}" '
                     'stroke-width="1"/>')
            s.append(f'<circle cx="{x + 0.5}" cy="54.3" r="1.9" fill="{INK}"/>')
            s.append(f'<circle cx="{x + 1.2}" cy="53.4" r="0.7" fill="#ffffff"/>')
    else:
        for x in (58, 70):
            s.append(f'<path d="M{x - 3},54 Q{x},56.5 {x + 3},54" fill="none" stroke="{INK}" '
                     'stroke-width="1.5" stroke-linecap="round"/>')
    # bushy brows
    s.append('<path d="M53.5,48.5 Q58,45.5 62,48 M66,48 Q70,45.5 74.5,48.5" fill="none" '
             'stroke="#ffffff" stroke-width="3" stroke-linecap="round"/>')
    s.append('<path d="M53.5,48.5 Q58,45.5 62,48 M66,48 Q70,45.5 74.5,48.5" fill="none" '
             'stroke="#b9bdca" stroke-width="0.8" stroke-linecap="round"/>')
    return "\n".join(s)


def hat():
    s = []
    s.append('<path d="M41,44 C49,32 54,20 60,10 C64,3 74,1 86,7 C77,8 71,13 70.5,21 '
             'C71,30 79,38 87,44 Z" fill="url(#hat)" stroke="%s" stroke-width="1.6" '
             'stroke-linejoin="round"/>' % INK)
    s.append('<path d="M47.5,35 Q64,40.5 81,35 L84.5,40.5 Q64,47 43.5,40.5 Z" fill="#ffcf3f" '
             'stroke="#c78a00" stroke-width="0.8"/>')
    s.append('<ellipse cx="64" cy="45" rx="27" ry="5.5" fill="url(#hat)" stroke="%s" '
             'stroke-width="1.6"/>' % INK)
    s.append(f'<path d="{star(61, 27, 3.6)}" fill="#ffd84a"/>')
    s.append(f'<path d="{star(72, 33, 2.4)}" fill="#ffd84a"/>')
    s.append(f'<path d="{star(86, 7, 2.6)}" fill="#ffd84a" stroke="#c78a00" stroke-width="0.6"/>')
    # crescent moon
    s.append('<path d="M53,31 A6,6 0 1 0 59,38 A4.6,4.6 0 1 1 53,31 Z" fill="#fff1a0"/>')
    return "\n".join(s)


def frame(eyes="open", mouth="closed", raised=False, angle=-60):
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" '
             'viewBox="0 0 128 128">', DEFS, body(), wand_arm(raised, angle), head(eyes, mouth),
             hat(), "</svg>"]
    return "\n".join(parts) + "\n"


FRAMES = {
    "merlin-idle.svg": frame(),
    "merlin-blink.svg": frame(eyes="closed"),
    "merlin-wave1.svg": frame(mouth="half", raised=True, angle=-70),
    "merlin-wave2.svg": frame(mouth="half", raised=True, angle=-40),
    "merlin-talk1.svg": frame(mouth="open", angle=-55),
    "merlin-talk2.svg": frame(mouth="half", angle=-62),
}

if __name__ == "__main__":
    for name, text in FRAMES.items():
        with open(os.path.join(HERE, name), "w", encoding="utf-8") as f:
            f.write(text)
