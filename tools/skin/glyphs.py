"""The skin's line icons, drawn on a 24-unit grid and scaled to any size."""

import math

from canvas import rotate


class Pen:
    """Draws on a canvas in grid units: (0, 0) to (24, 24) maps onto a square box."""

    def __init__(self, canvas, ox, oy, size, color, stroke):
        self.c = canvas
        self.ox, self.oy = ox, oy
        self.k = size / 24.0
        self.color = color
        self.stroke = stroke  # in pixels

    def pt(self, x, y):
        return (self.ox + x * self.k, self.oy + y * self.k)

    def pts(self, points):
        return [self.pt(x, y) for x, y in points]

    def line(self, *points, width=None):
        self.c.line(self.pts(points), self.color, width or self.stroke)

    def outline(self, *points, width=None):
        self.c.outline(self.pts(points), self.color, width or self.stroke)

    def poly(self, *points):
        self.c.polygon(self.pts(points), self.color)

    def rect(self, x0, y0, x1, y1, r=0):
        """Outline of a box whose stroke runs along the given edges."""
        if r <= 0:
            self.outline((x0, y0), (x1, y0), (x1, y1), (x0, y1))
            return
        pts = []
        for cx, cy, a0 in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
            for i in range(7):
                a = math.radians(a0 + i * 15)
                pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        self.outline(*pts)

    def fill_rect(self, x0, y0, x1, y1, r=0):
        (a, b), (c, d) = self.pt(x0, y0), self.pt(x1, y1)
        self.c.box(a, b, c, d, self.color, r * self.k)

    def disc(self, x, y, r):
        cx, cy = self.pt(x, y)
        self.c.circle(cx, cy, r * self.k, self.color)

    def ring(self, x, y, r, width=None):
        cx, cy = self.pt(x, y)
        self.c.ring(cx, cy, r * self.k, width or self.stroke, self.color)

    def arc(self, x, y, r, start, end, width=None):
        cx, cy = self.pt(x, y)
        self.c.arc(cx, cy, r * self.k, width or self.stroke, self.color, start, end)


def monitor(p):
    p.rect(2.5, 4, 21.5, 16.5, 1.5)
    p.line((12, 16.5), (12, 20))
    p.line((8, 20.5), (16, 20.5))


def area(p):
    for pts in (((3, 8.5), (3, 3), (8.5, 3)), ((15.5, 3), (21, 3), (21, 8.5)),
                ((21, 15.5), (21, 21), (15.5, 21)), ((8.5, 21), (3, 21), (3, 15.5))):
        p.line(*pts)
    p.line((12, 9), (12, 15))
    p.line((9, 12), (15, 12))


def game(p):
    p.rect(2, 7, 22, 19, 5.5)
    p.line((7.5, 10.5), (7.5, 15.5))
    p.line((5, 13), (10, 13))
    p.disc(15.5, 11.8, 1.3)
    p.disc(18.2, 14.5, 1.3)


def note(p):
    p.disc(7.2, 17.8, 2.9)
    p.disc(17.2, 15.8, 2.9)
    p.line((9.9, 18), (9.9, 5.5))
    p.line((19.9, 16), (19.9, 3.5))
    p.line((9.9, 5.5), (19.9, 3.5), width=p.stroke * 1.6)


def video(p):
    p.rect(2, 6.5, 15.5, 17.5, 2.2)
    p.outline((15.5, 10.5), (21.5, 7.2), (21.5, 16.8), (15.5, 13.5))


def mic(p, muted=False):
    p.rect(9, 2.5, 15, 13.5, 3)
    p.arc(12, 10.5, 6.3, 0, 180)
    p.line((12, 16.8), (12, 21))
    p.line((8.5, 21), (15.5, 21))
    if muted:
        p.line((3.5, 3.5), (20.5, 20.5))


def speaker(p, muted=False):
    p.outline((3, 9), (7, 9), (12, 4.8), (12, 19.2), (7, 15), (3, 15))
    if muted:
        p.line((15.5, 9), (21, 14.5))
        p.line((21, 9), (15.5, 14.5))
    else:
        p.arc(12, 12, 4, -45, 45)
        p.arc(12, 12, 8, -48, 48)


def list_lines(p):
    for y in (6.5, 12, 17.5):
        p.disc(4.5, y, 1.5)
        p.line((9, y), (20.5, y))


def chevron(p, up=False):
    if up:
        p.line((6.5, 14.5), (12, 9), (17.5, 14.5))
    else:
        p.line((6.5, 9.5), (12, 15), (17.5, 9.5))


def pause(p):
    p.fill_rect(6.5, 5, 10, 19, 1)
    p.fill_rect(14, 5, 17.5, 19, 1)


def record(p):
    p.disc(12, 12, 7)


def record_ring(p):
    p.ring(12, 12, 8)
    p.disc(12, 12, 4)


def stop(p):
    p.fill_rect(6, 6, 18, 18, 2)


def spotlight(p):
    p.ring(12, 12, 4.6)
    for i in range(8):
        a = math.radians(i * 45)
        p.line((12 + 7.6 * math.cos(a), 12 + 7.6 * math.sin(a)), (12 + 10.2 * math.cos(a), 12 + 10.2 * math.sin(a)))


def camera(p):
    p.rect(2.5, 7, 21.5, 19.5, 2.5)
    p.outline((8, 7), (9.5, 4), (14.5, 4), (16, 7))
    p.ring(12, 13.2, 3.6)


def pen(p):
    p.outline((4, 20), (5, 15.5), (15.5, 5), (19, 8.5), (8.5, 19))
    p.line((13, 7.5), (16.5, 11))


def window(p):
    p.rect(3, 4, 21, 20, 2)
    p.line((3, 9), (21, 9))


def toolbar(p):
    p.rect(2, 8, 22, 16, 4)
    for x in (7.5, 12, 16.5):
        p.disc(x, 12, 1.3)


def gear(p):
    pts = []
    teeth = 8
    for i in range(teeth):
        base = i * 360 / teeth
        for a, r in ((-22.5 + 3, 7.2), (-9, 7.6), (-6.5, 10), (6.5, 10), (9, 7.6)):
            ang = math.radians(base + a)
            pts.append((12 + r * math.cos(ang), 12 + r * math.sin(ang)))
    p.outline(*pts)
    p.ring(12, 12, 3)


def minimize(p):
    p.line((7, 12.5), (17, 12.5))


def close(p):
    p.line((7, 7), (17, 17))
    p.line((17, 7), (7, 17))


def move(p):
    p.line((12, 4), (12, 20))
    p.line((4, 12), (20, 12))
    for pts in (((9.5, 6.5), (12, 4), (14.5, 6.5)), ((9.5, 17.5), (12, 20), (14.5, 17.5)),
                ((6.5, 9.5), (4, 12), (6.5, 14.5)), ((17.5, 9.5), (20, 12), (17.5, 14.5))):
        p.line(*pts)


def check(p):
    p.line((5, 12.5), (10, 17.5), (19, 7.5))


def exclamation(p):
    p.fill_rect(10.6, 5.5, 13.4, 14.5, 1.4)
    p.disc(12, 18, 1.6)


GLYPHS = {
    "monitor": monitor, "area": area, "game": game, "note": note, "video": video,
    "mic": mic, "mic_muted": lambda p: mic(p, True),
    "speaker": speaker, "speaker_muted": lambda p: speaker(p, True),
    "list": list_lines, "chevron_down": chevron, "chevron_up": lambda p: chevron(p, True),
    "pause": pause, "record": record, "record_ring": record_ring, "stop": stop,
    "spotlight": spotlight, "camera": camera, "pen": pen, "window": window, "toolbar": toolbar,
    "gear": gear, "minimize": minimize, "close": close, "move": move, "check": check,
    "exclamation": exclamation,
}


def draw(canvas, name, ox, oy, size, color, stroke):
    GLYPHS[name](Pen(canvas, ox, oy, size, color, stroke))


__all__ = ["draw", "GLYPHS", "rotate"]
