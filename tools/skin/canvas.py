"""A small drawing layer over ImageMagick's convert.

Shapes are given in logical pixels and drawn four times larger, then reduced
with a box filter, so edges come out anti-aliased the same way on every run.
Boxes use edge coordinates (a box [x0, x1) covers the pixels x0 .. x1 - 1);
points (circle centres, line ends) use continuous coordinates in which the
centre of pixel i is i + 0.5.
"""

import math
import os
import shutil
import subprocess
import tempfile

S = 4  # supersampling factor


def _convert():
    # The real ImageMagick, also where a wrapper stands in front of it on PATH.
    for path in ("/usr/bin/convert", shutil.which("convert")):
        if path and os.path.exists(path):
            return path
    raise SystemExit("ImageMagick's convert is needed (Debian package imagemagick)")


CONVERT = _convert()
# No time stamps or other varying chunks: the same input gives the same bytes.
PNG_OPTIONS = ["-strip", "-define", "png:exclude-chunks=date,time",
               "-define", "png:compression-level=9", "-define", "png:compression-filter=5"]


def run(args):
    subprocess.run([CONVERT] + [str(a) for a in args], check=True)


def _p(v):
    return f"{v * S - 0.5:.2f}"


def _e0(v):
    return f"{v * S:.2f}"


def _e1(v):
    return f"{v * S - 1:.2f}"


class Canvas:
    def __init__(self, width, height, background="none"):
        self.width = width
        self.height = height
        self.args = ["-size", f"{width * S}x{height * S}", f"xc:{background}"]

    # boxes -----------------------------------------------------------------
    def box(self, x0, y0, x1, y1, color, radius=0):
        if x1 <= x0 or y1 <= y0:
            return self
        self.args += ["-stroke", "none", "-fill", color]
        if radius > 0:
            self.args += ["-draw", f"roundrectangle {_e0(x0)},{_e0(y0)} {_e1(x1)},{_e1(y1)} "
                                   f"{radius * S:.2f},{radius * S:.2f}"]
        else:
            self.args += ["-draw", f"rectangle {_e0(x0)},{_e0(y0)} {_e1(x1)},{_e1(y1)}"]
        return self

    def frame(self, x0, y0, x1, y1, border, fill, radius=0, width=1):
        """A box filled with `fill` inside a border `width` pixels wide."""
        self.box(x0, y0, x1, y1, border, radius)
        return self.box(x0 + width, y0 + width, x1 - width, y1 - width, fill,
                        max(0, radius - width))

    def clear_box(self, x0, y0, x1, y1, radius=0):
        """Makes a box fully transparent again."""
        self.args += ["(", "-size", f"{self.width * S}x{self.height * S}", "xc:none",
                      "-fill", "white", "-stroke", "none"]
        if radius > 0:
            self.args += ["-draw", f"roundrectangle {_e0(x0)},{_e0(y0)} {_e1(x1)},{_e1(y1)} "
                                   f"{radius * S:.2f},{radius * S:.2f}"]
        else:
            self.args += ["-draw", f"rectangle {_e0(x0)},{_e0(y0)} {_e1(x1)},{_e1(y1)}"]
        self.args += [")", "-compose", "DstOut", "-composite", "-compose", "Over"]
        return self

    # points, lines, shapes ---------------------------------------------------
    def circle(self, cx, cy, r, color):
        self.args += ["-stroke", "none", "-fill", color,
                      "-draw", f"circle {_p(cx)},{_p(cy)} {_p(cx + r)},{_p(cy)}"]
        return self

    def ring(self, cx, cy, r, width, color):
        self.args += ["-fill", "none", "-stroke", color, "-strokewidth", f"{width * S:.2f}",
                      "-draw", f"circle {_p(cx)},{_p(cy)} {_p(cx + r)},{_p(cy)}",
                      "-stroke", "none"]
        return self

    def arc(self, cx, cy, r, width, color, start, end, cap="round"):
        """An open arc of a circle, angles in degrees clockwise from 3 o'clock."""
        if end - start <= 0.01:
            return self
        if end - start >= 359.99:
            return self.ring(cx, cy, r, width, color)
        # As a polyline: ImageMagick closes a stroked arc path with a chord.
        steps = max(2, int((end - start) / 2))
        pts = [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
                cy + r * math.sin(math.radians(start + (end - start) * i / steps))) for i in range(steps + 1)]
        return self.line(pts, color, width, cap)

    def line(self, points, color, width, cap="round", join="round"):
        pts = " ".join(f"{_p(x)},{_p(y)}" for x, y in points)
        self.args += ["-fill", "none", "-stroke", color, "-strokewidth", f"{width * S:.2f}",
                      "-draw", f"stroke-linecap {cap} stroke-linejoin {join} polyline {pts}",
                      "-stroke", "none"]
        return self

    def polygon(self, points, color):
        pts = " ".join(f"{_p(x)},{_p(y)}" for x, y in points)
        self.args += ["-stroke", "none", "-fill", color, "-draw", f"polygon {pts}"]
        return self

    def outline(self, points, color, width, join="round"):
        """A closed polygon outline."""
        return self.line(list(points) + [points[0], points[1]], color, width, "round", join)

    def text(self, s, cx, cy, size, color, font, weight=0.0):
        """Text centred on the point (cx, cy); `weight` thickens the strokes by
        that many pixels (the skin's font has no bold face)."""
        dx = cx * S - self.width * S / 2
        dy = cy * S - self.height * S / 2
        stroke = ["-stroke", color, "-strokewidth", f"{weight * S:.2f}"] if weight > 0 else ["-stroke", "none"]
        self.args += ["-font", font, "-pointsize", f"{size * S:.2f}", "-fill", color] + stroke + [
                      "-gravity", "center", "-annotate", f"{dx:+.2f}{dy:+.2f}", s,
                      "-gravity", "NorthWest", "-stroke", "none"]
        return self

    def raw(self, *args):
        self.args += list(args)
        return self

    # output ------------------------------------------------------------------
    def save(self, path, post=()):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        run(self.args + ["-filter", "Box", "-resize", f"{self.width}x{self.height}!"]
            + list(post) + PNG_OPTIONS + [f"PNG32:{path}"])
        return path


def stack(cells, path, direction="vertical"):
    """Joins cell canvases (drawn one by one) into one image, top to bottom."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        files = [c.save(os.path.join(tmp, f"{i:03d}.png")) for i, c in enumerate(cells)]
        run(["-background", "none"] + files
            + ["-append" if direction == "vertical" else "+append"] + PNG_OPTIONS + [f"PNG32:{path}"])
    return path


def rotate(points, cx, cy, degrees):
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in points]
