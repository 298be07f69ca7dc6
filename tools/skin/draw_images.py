"""Images of the drawing toolbar, its size pop-ups and the spotlight
(skin/vistrel/draw/, common/thickness*.png, common/spotlight*.png).

    tools/skin/make_images.py draw_images     this group only
"""

import math
import os

import glyphs
from canvas import Canvas, stack, run, PNG_OPTIONS
from palette import im

TOOL = 28  # a drawing-toolbar button cell


def _line_tool(p):
    p.line((5, 19), (19, 5))


def _arrow_tool(p):
    p.line((5, 19), (18, 6))
    p.poly((19, 5), (10.5, 7), (17, 13.5))


def _pointer_tool(p):
    p.outline((7, 4), (7, 19), (11, 15.5), (14, 21), (16.5, 20), (13.5, 14.5), (18.5, 14))


def _rect_tool(p):
    p.rect(4.5, 6.5, 19.5, 17.5, 1)


def _ellipse_tool(p):
    pts = [(12 + 8 * math.cos(math.radians(a)), 12 + 6 * math.sin(math.radians(a))) for a in range(0, 360, 15)]
    p.outline(*pts)


def _text_tool(p):
    p.line((5, 6), (19, 6))
    p.line((12, 6), (12, 19))
    p.line((9.5, 19), (14.5, 19))


def _board_tool(p):
    p.rect(3.5, 4.5, 20.5, 16.5, 1.5)
    p.line((12, 16.5), (8, 21))
    p.line((12, 16.5), (16, 21))


def _undo_tool(p):
    p.arc(13, 13.5, 6, -100, 160)
    p.poly((5.5, 7.5), (11.5, 5.5), (10.5, 11.5))


def _close_tool(p):
    p.line((7, 7), (17, 17))
    p.line((17, 7), (7, 17))


TOOLS = {
    "close": _close_tool, "pointer": _pointer_tool, "pen": glyphs.GLYPHS["pen"], "line": _line_tool,
    "arrow": _arrow_tool, "rectangle": _rect_tool, "ellipse": _ellipse_tool, "text": _text_tool,
    "board": _board_tool, "undo": _undo_tool,
}


def _out(rel):
    return os.path.join(os.path.dirname(__file__), "..", "..", "skin", "vistrel", rel)


def tool_buttons():
    """Each tool: normal, hot, selected (also pushed), one 28 x 28 cell each."""
    for name, draw in TOOLS.items():
        cells = []
        for bg, col in ((None, "text2"), ("hover_bg", "accent"), ("selected_bg", "accent")):
            c = Canvas(TOOL, TOOL)
            if bg:
                c.box(0, 0, TOOL, TOOL, im(bg), radius=4)
            draw(glyphs.Pen(c, 4, 4, 20, im(col), 1.6))
            cells.append(c)
        stack(cells, _out(f"draw/{name}.png"))


def thickness():
    """The width button and the width pop-up: a dot of the width, normal, hot, pushed (20 x 20 each)."""
    for name, r in (("thickness_s", 2.0), ("thickness", 3.5), ("thickness_b", 5.5)):
        cells = []
        for bg, col in ((None, "text2"), ("hover_bg", "accent"), ("selected_bg", "accent")):
            c = Canvas(20, 20)
            if bg:
                c.box(0, 0, 20, 20, im(bg), radius=3)
            c.circle(10, 10, r, im(col))
            cells.append(c)
        stack(cells, _out(f"common/{name}.png"))


def spotlight():
    """The 202 x 202 spot: dark with a clear, soft-edged circle; the surround: the same dark, even."""
    dark = "rgba(0,0,0,0.63)"
    run(["-size", "202x202", f"xc:{dark}", "(", "-size", "202x202", "xc:white", "-fill", "black",
         "-draw", "circle 101,101 101,8", "-blur", "0x3", ")", "-alpha", "off", "-compose", "CopyOpacity",
         "-composite", "-channel", "A", "-evaluate", "multiply", "0.63", "+channel"]
        + PNG_OPTIONS + ["PNG32:" + _out("common/spotlight.png")])
    run(["-size", "202x202", f"xc:{dark}"] + PNG_OPTIONS + ["PNG32:" + _out("common/spotlight_bk.png")])


def draw_images():
    tool_buttons()
    thickness()
    spotlight()
