#!/usr/bin/env python3
"""Draws every image of Vistrel's skin (skin/vistrel/), of Snapwick's (skin/snapwick/)
and the program icon.

    tools/skin/make_images.py            write all images
    tools/skin/make_images.py --check    check that the layouts use palette colours and existing images
    tools/skin/make_images.py digits ... draw only these groups (names of STEPS)

The output is committed, so a build needs no image tools. Colours and sizes
come from palette.py; the cells of each image are described in skin/README.md.
"""

import glob
import os
import re
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import glyphs  # noqa: E402
from draw_images import draw_images  # noqa: E402
from canvas import Canvas, stack, run, PNG_OPTIONS  # noqa: E402
from palette import PALETTE, LAYOUT_EXTRA, FONT_FILE, SIZES, im  # noqa: E402
from sound_dialogs import sound_dialog  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SKIN = os.path.join(ROOT, "skin", "vistrel")
SNAPWICK_SKIN = os.path.join(ROOT, "skin", "snapwick")


def out(rel):
    return os.path.join(SKIN, rel)


def glyph(c, name, ox, oy, size, color, stroke):
    glyphs.draw(c, name, ox, oy, size, color, stroke)


# --------------------------------------------------------------------------
# tiles of the main window

TILE_STATES = {
    # state: (border, fill, border width, glyph colour, divider)
    "normal":   ("border", "tile", 1, "icon", "divider"),
    "hot":      ("hover_border", "hover_bg", 1, "accent", "hover_border"),
    "selected": ("accent", "selected_bg", 2, "accent", "hover_border"),
    "pushed":   ("accent", "selected_bg", 1, "primary_down", "hover_border"),
    "disabled": ("border", "tile", 1, "icon_disabled", "divider"),
}


def tile_cell(w, h, state, glyph_name=None, glyph_size=48, top=None, part="whole"):
    """One tile: a rounded panel with an icon area and, below a divider, a
    caption strip of SIZES["tile_strip"] pixels. `part` cuts the tile in two
    for the camera tile: "top" (icon area only) or "bottom" (caption strip)."""
    border, fill, bw, gcol, dcol = TILE_STATES[state]
    strip = SIZES["tile_strip"]
    c = Canvas(w, h)
    y0, y1 = 0, h
    if part == "top":
        y1 = h + 10
    elif part == "bottom":
        y0 = -10
    c.frame(0, y0, w, y1, im(border), im(fill), radius=6, width=bw)
    if part == "whole":
        c.box(12, h - strip - 1, w - 12, h - strip, im(dcol))
    elif part == "bottom":
        c.box(12, 0, w - 12, 1, im(dcol))
    if glyph_name:
        area_h = h - strip if part == "whole" else h
        gy = top if top is not None else (area_h - glyph_size) / 2
        glyph(c, glyph_name, (w - glyph_size) / 2, gy, glyph_size, im(gcol), 2.6 * glyph_size / 48)
    return c


def mode_tiles():
    w, h = SIZES["tile"]
    for name, g in (("full", "monitor"), ("area", "area"), ("game", "game"), ("audio", "note")):
        stack([tile_cell(w, h, s, g) for s in ("normal", "hot", "selected")], out(f"main/mode_{name}.png"))
    # The camera tile: the option above, the "sel_camera" strip below.
    top_h = h - SIZES["tile_strip"]
    stack([tile_cell(w, top_h, s, "video", part="top", top=(top_h - 48) / 2 + 2)
           for s in ("normal", "hot", "selected", "disabled")], out("main/mode_camera.png"))
    cells = []
    for state, dot in (("disabled", "icon_disabled"), ("normal", "text_disabled"), ("selected", "success")):
        c = tile_cell(*SIZES["camera_sel"], state, part="bottom")
        c.circle(32, 16, 3.5, im(dot))
        cells.append(c)
    stack(cells, out("main/camera_sel.png"))
    # Plain panels of the same look: sound level, elapsed time.
    tile_cell(106, h, "normal").save(out("main/sound_panel.png"))
    c = tile_cell(240, h, "normal")
    c.circle(20, 20, 4.5, im("danger"))
    c.save(out("main/time_panel.png"))
    # Recording page buttons.
    tw, th = SIZES["tool_tile"]
    for name, g in (("spotlight", "spotlight"), ("jietu", "camera"), ("draw", "pen"), ("return", "toolbar")):
        stack([tile_cell(tw, th, s, g, glyph_size=SIZES["tool_glyph"]) for s in ("normal", "hot", "pushed")],
              out(f"main/tool_{name}.png"))


def tile_arrows():
    w, h = SIZES["arrow"]
    cells = []
    for bg, col in ((None, "icon"), ("hover_bg", "accent"), ("selected_bg", "primary_down"), (None, "icon_disabled")):
        c = Canvas(w, h)
        if bg:
            c.box(6, 4, w - 6, h - 4, im(bg), radius=4)
        glyph(c, "chevron_down", (w - 16) / 2, (h - 16) / 2, 16, im(col), 1.8)
        cells.append(c)
    stack(cells, out("main/arrow.png"))
    w, h = SIZES["dev_arrow"]
    cells = []
    for bg, col in ((None, "icon"), ("hover_bg", "accent"), ("selected_bg", "primary_down"), (None, "icon_disabled")):
        c = Canvas(w, h)
        if bg:
            c.box(1, 8, w - 1, h - 8, im(bg), radius=3)
        glyph(c, "chevron_down", (w - 12) / 2, (h - 12) / 2, 12, im(col), 1.5)
        cells.append(c)
    stack(cells, out("main/dev_arrow.png"))


# --------------------------------------------------------------------------
# bottom bar

def bar_buttons():
    w, h = SIZES["btn_list"]
    for name, chev in (("btn_list", "chevron_down"), ("btn_list_f", "chevron_up")):
        cells = []
        for fill, col in (("selected_bg", "accent"), ("hover_bg", "accent"), ("bar", "icon")):
            c = Canvas(w, h)
            c.box(0, 0, w - 1, h, im(fill))
            c.box(w - 1, 0, w, h, im("border"))
            glyph(c, "list", 12, 16, 20, im(col), 1.7)
            glyph(c, chev, 36, 18, 16, im(col), 1.7)
            cells.append(c)
        stack(cells, out(f"main/{name}.png"))

    w, h = SIZES["anniulan"]
    for name in ("anniulan", "anniulan_f"):
        cells = []
        for fill in ("primary", "primary_hot"):
            c = Canvas(w, h, im(fill))
            glyph(c, "record_ring", 50, 16, 20, im("white"), 2.0)
            cells.append(c)
        stack(cells, out(f"main/{name}.png"))

    # The stop button's cells are also read 90 pixels wide and stretched, so
    # they hold no drawing that a stretch would spoil; its icon is a fore image.
    w, h = SIZES["hong2"]
    stack([Canvas(w, h, im("danger")), Canvas(w, h, im("danger_hot"))], out("main/hong2.png"))
    c = Canvas(14, 14)
    c.box(0, 0, 14, 14, im("white"), radius=2)
    c.save(out("main/icon_stop.png"))

    w, h = SIZES["btn_pause"]
    cells = []
    for fill, g in (("primary", "pause"), ("primary_hot", "pause"), ("primary", "record_ring"), ("primary_hot", "record_ring")):
        c = Canvas(w, h, im(fill))
        glyph(c, g, 27, 16, 20, im("white"), 2.0)
        cells.append(c)
    stack(cells, out("main/btn_pause.png"))

    w, h = SIZES["bar_icon"]
    for name, g in (("mic", "mic"), ("volume", "speaker")):
        cells = []
        for gname, col, bg in ((g, "icon", None), (g, "accent", "hover_bg"), (g + "_muted", "icon", None),
                               (g + "_muted", "accent", "hover_bg"), (g, "icon_disabled", None)):
            c = Canvas(w, h)
            if bg:
                c.box(2, 2, w - 2, h - 2, im(bg), radius=4)
            glyph(c, gname, 8, 8, 20, im(col), 1.7)
            cells.append(c)
        stack(cells, out(f"main/{name}.png"))

    # Slider: track, fill and thumb.
    w, h = SIZES["slider"]
    c = Canvas(w, h)
    c.box(0, 7, w, 10, im("track"), radius=1.5)
    c.save(out("main/slider_bg.png"))
    Canvas(4, 3, im("accent")).save(out("main/slider_fore.png"))
    tw, th = SIZES["thumb"]
    cells = []
    for ring, fill in (("accent", "white"), ("primary_hot", "hover_bg"), ("primary_down", "selected_bg"),
                       ("icon_disabled", "white")):
        c = Canvas(tw, th)
        c.circle(8, 8, 7, im(ring))
        c.circle(8, 8, 5, im(fill))
        cells.append(c)
    stack(cells, out("main/slider_thumb.png"))

    # Tabs of the file lists.
    w, h = SIZES["tab"]
    cells = [Canvas(w, h), Canvas(w, h)]
    c = Canvas(w, h)
    c.box(18, h - 3, w - 18, h, im("accent"), radius=1)
    cells.append(c)
    stack(cells, out("main/tab.png"))


def sound_marks():
    # The meter's bars: 1 off, 2 the level's edge, 3 lit.
    for n, col in ((1, "meter_off"), (2, "success_light"), (3, "success")):
        Canvas(8, 2, im(col)).save(out(f"common/voice{n}.png"))
    # The no-sound mark laid over the meter.
    c = Canvas(28, 28)
    c.circle(14, 14, 13.5, im("tile"))
    glyph(c, "speaker_muted", 2, 2, 24, im("icon"), 1.8)
    c.save(out("main/audio_no.png"))


# --------------------------------------------------------------------------
# caption, toolbar and small controls

def caption_buttons():
    w, h = SIZES["caption_btn"]
    for name, g, states in (
            ("close", "close", ((None, "icon"), ("close_hot", "white"), ("close_down", "white"))),
            ("mini", "minimize", ((None, "icon"), ("divider", "text"), ("border", "text"))),
            ("set", "gear", ((None, "icon"), ("divider", "text"), ("border", "text")))):
        cells = []
        for bg, col in states:
            c = Canvas(w, h)
            if bg:
                c.box(0, 0, w, h, im(bg))
            size = 16 if g != "gear" else 18
            glyph(c, g, (w - size) / 2, (h - size) / 2, size, im(col), 1.4)
            cells.append(c)
        stack(cells, out(f"sysbtn/{name}.png"))


def toolbar_icons():
    w, h = SIZES["tool_icon"]
    for name, g, colours in (
            ("pause", "pause", ("text2", "accent", "primary_down")),
            ("record", "record", ("danger", "danger_hot", "danger_down")),
            ("stop", "stop", ("danger", "danger_hot", "danger_down")),
            ("spotlight", "spotlight", ("text2", "accent", "primary_down")),
            ("jietu", "camera", ("text2", "accent", "primary_down")),
            ("draw", "pen", ("text2", "accent", "primary_down")),
            ("return", "window", ("text2", "accent", "primary_down"))):
        cells = []
        for bg, col in zip((None, "hover_bg", "selected_bg"), colours):
            c = Canvas(w, h)
            if bg:
                c.box(0, 0, w, h, im(bg), radius=5)
            size = 18 if g in ("pause", "stop", "record") else 20
            glyph(c, g, (w - size) / 2, (h - size) / 2, size, im(col), 1.6)
            cells.append(c)
        stack(cells, out(f"sysbtn/{name}.png"))
    # The toolbar's panel: 9-slice with corner 8.
    c = Canvas(24, 24)
    c.frame(0, 0, 24, 24, im("window_border"), im("white"), radius=6)
    c.save(out("common/bg.png"))


def digits():
    w, h = SIZES["digit"]
    for d in range(10):
        c = Canvas(w, h)
        c.text(str(d), w / 2, h / 2, 20, im("text"), FONT_FILE, weight=0.5)
        c.save(out(f"other/{d}.png"))
    w, h = SIZES["digit_dot"]
    c = Canvas(w, h)
    c.circle(3.5, 7.5, 1.6, im("text"))
    c.circle(3.5, 14.5, 1.6, im("text"))
    c.save(out("other/dot.png"))


def controls():
    # Buttons drawn 9-slice (corner 4): normal, hot, pushed, disabled.
    w, h = SIZES["button"]
    stack([Canvas(w, h).box(0, 0, w, h, im(f), radius=4)
           for f in ("primary", "primary_hot", "primary_down", "hover_border")], out("common/btn_primary.png"))
    stack([Canvas(w, h).frame(0, 0, w, h, im(b), im(f), radius=4)
           for b, f in (("window_border", "white"), ("accent", "hover_bg"), ("primary", "selected_bg"),
                        ("border", "tile"))], out("common/btn_normal.png"))
    # Check box: normal, hot, selected, selected hot, disabled.
    w, h = SIZES["check"]
    cells = []
    for b, f, mark in (("window_border", "white", None), ("accent", "white", None), ("accent", "accent", "white"),
                       ("primary_hot", "primary_hot", "white"), ("border", "tile", None)):
        c = Canvas(w, h)
        c.frame(0, 0, w, h, im(b), im(f), radius=3)
        if mark:
            glyph(c, "check", 1, 1, 14, im(mark), 1.8)
        cells.append(c)
    stack(cells, out("common/check.png"))
    # Radio: normal, selected.
    w, h = SIZES["radio"]
    a = Canvas(w, h)
    a.circle(9, 9, 8.5, im("window_border")).circle(9, 9, 7.5, im("white"))
    b = Canvas(w, h)
    b.circle(9, 9, 8.5, im("accent")).circle(9, 9, 7, im("white")).circle(9, 9, 4.5, im("accent"))
    stack([a, b], out("common/radio_normal.png"))
    # Menu check mark (10 x 16).
    c = Canvas(10, 16)
    c.line([(1.5, 8.5), (4, 11.5), (8.8, 5)], im("accent"), 1.8)
    c.save(out("common/gou.png"))
    # Notice sign.
    c = Canvas(40, 40)
    c.circle(20, 20, 19.5, im("warning"))
    glyph(c, "exclamation", 6, 6, 28, im("white"), 2)
    c.save(out("common/tanhao.png"))
    # Scroll bar thumb (vertical, corner 0,4,0,4): normal, hot, pushed.
    stack([Canvas(8, 24).box(1, 0, 7, 24, im(f), radius=3) for f in ("scroll", "scroll_hot", "icon")],
          out("common/scrollbar.png"))


def window_shadow():
    # For a window shadow of size 13 drawn 9-slice with corner 24: the window
    # covers 13 .. 51, the shadow falls around it, a little more below.
    w, h = SIZES["shadow"]
    c = Canvas(w, h)
    c.box(13, 14, w - 13, h - 12, "#000000", radius=4)
    c.raw("-channel", "A", "-evaluate", "multiply", "0.30", "+channel", "-blur", f"0x{4.5 * 4}")
    c.clear_box(13, 13, w - 13, h - 13, radius=2)
    c.save(out("main/shadow.png"))


def overlays():
    # Drag button of the region frame.
    w, h = SIZES["drag"]
    c = Canvas(w, h)
    c.circle(11, 11, 11, im("white")).circle(11, 11, 10, im("accent"))
    glyph(c, "move", 3, 3, 16, im("white"), 1.5)
    c.save(out("main/btn_drag.png"))
    # Webcam window background, shown until the first frame arrives.
    w, h = SIZES["camera_bk"]
    c = Canvas(w, h, im("dark"))
    glyph(c, "video", (w - 56) / 2, (h - 56) / 2, 56, im("icon"), 2.6)
    c.save(out("other/bk_camera.png"))
    # Its close button, over the picture: normal, hot, pushed.
    cells = []
    for bg in (im("dark", "A0"), im("close_hot"), im("close_down")):
        c = Canvas(24, 24)
        c.circle(12, 12, 11, bg)
        glyph(c, "close", 5, 5, 14, im("white"), 1.6)
        cells.append(c)
    stack(cells, out("other/btn_close.png"))
    # Caption logo.
    icon_canvas(20).save(out("main/logo.png"))


def countdown():
    w, h = SIZES["countdown"]
    n = SIZES["countdown_frames"]
    per = n // 3
    cx, cy, r = w / 2, h / 2 + 20, 150
    for i in range(n):
        left = 3 - i // per
        step = i % per
        done = (step + 1) / per
        c = Canvas(w, h)
        c.circle(cx, cy, r, im("dark", "C8"))
        c.ring(cx, cy, 128, 10, im("white", "30"))
        c.arc(cx, cy, 128, 10, im("accent"), -90 + 360 * done, 270)
        alpha = min(1.0, 0.35 + step * 0.13)
        c.text(str(left), cx, cy - 8, 180, im("white", f"{int(alpha * 255):02X}"), FONT_FILE)
        c.save(out(f"countdown/{i:03d}.png"))


# --------------------------------------------------------------------------
# Snapwick, the area picker (its own skin)

def snapwick():
    def put(rel):
        return os.path.join(SNAPWICK_SKIN, rel)
    # The selection frame's background (corner 5,5,5,5): a dark line just outside
    # the selection, so that the frame reads on light and dark desktops alike.
    Canvas(12, 12).box(3, 3, 9, 9, im("dark", "80")).clear_box(4, 4, 8, 8).save(put("main/canvascontainerborder.png"))
    # The cross through the cursor: one pixel, drawn as a band across and down.
    Canvas(1, 1, im("accent", "C0")).save(put("main/crossline.png"))
    # The magnifier's frames (162 x 162): a ring round the 130-pixel lens and the
    # band under the size label. "up" is used below the cursor (lens on top),
    # "down" above it (label on top, lens 30 pixels lower).
    side = 162
    for name, lens_top, band_top in (("magnifierup", 0, 134), ("magnifierdown", 30, 6)):
        c = Canvas(side, side)
        c.ring(83, lens_top + 65, 65, 4, im("white"))
        c.ring(83, lens_top + 65, 67, 1.5, im("accent"))
        c.box(42, band_top, 126, band_top + 20, im("dark", "C8"), radius=4)
        c.save(put(f"main/{name}.png"))


# --------------------------------------------------------------------------
# program icon

def icon_canvas(size):
    c = Canvas(size, size)
    m = size / 16.0 * 0.5 if size < 32 else size / 32.0
    rad = size * 0.22
    c.box(m, m, size - m, size - m, im("primary"), radius=rad)
    cx = cy = size / 2
    c.ring(cx, cy, size * 0.27, max(1.2, size * 0.075), im("white"))
    c.circle(cx, cy, size * 0.14, im("danger"))
    return c


def program_icon():
    with tempfile.TemporaryDirectory() as tmp:
        files = [icon_canvas(s).save(os.path.join(tmp, f"{s}.png")) for s in (16, 32, 48, 256)]
        run(files + PNG_OPTIONS + [os.path.join(ROOT, "skin", "vistrel.ico")])


# --------------------------------------------------------------------------

def check_layouts():
    allowed = {v.upper() if len(v) == 8 else "FF" + v.upper() for v in PALETTE.values()} | LAYOUT_EXTRA
    bad = 0
    for path in sorted(glob.glob(os.path.join(SKIN, "*.xml"))):
        text = open(path, encoding="utf-8").read()
        for m in re.finditer(r"#([0-9A-Fa-f]{8})\b", text):
            if m.group(1).upper() not in allowed:
                line = text.count("\n", 0, m.start()) + 1
                print(f"{os.path.relpath(path, ROOT)}:{line}: #{m.group(1)} is not a palette colour")
                bad += 1
        for m in re.finditer(r"file='([^']+)'|(?:bkimage|normalimage|foreimage)=\"([^\"=']+)\"", text):
            name = m.group(1) or m.group(2)
            if "%" in name:
                continue
            if not os.path.exists(os.path.join(SKIN, name)):
                line = text.count("\n", 0, m.start()) + 1
                print(f"{os.path.relpath(path, ROOT)}:{line}: image {name} does not exist")
                bad += 1
    return bad == 0


STEPS = [mode_tiles, tile_arrows, bar_buttons, sound_marks, caption_buttons, toolbar_icons, digits, controls,
         window_shadow, overlays, countdown, snapwick, program_icon, sound_dialog, draw_images]


def main():
    if "--check" in sys.argv:
        sys.exit(0 if check_layouts() else 1)
    wanted = sys.argv[1:]
    unknown = set(wanted) - {f.__name__ for f in STEPS}
    if unknown:
        sys.exit(f"unknown groups: {', '.join(sorted(unknown))}")
    for step in STEPS:
        if not wanted or step.__name__ in wanted:
            step()


if __name__ == "__main__":
    main()
