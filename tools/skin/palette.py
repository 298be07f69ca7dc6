"""Vistrel's skin palette and the sizes of its images, in one place.

Every colour the images use comes from PALETTE, and every #AARRGGBB colour the
layouts in skin/vistrel/ use must be one of PALETTE's colours (or one of
LAYOUT_EXTRA); `make_images.py --check` verifies that. To restyle the skin,
change the colours here, run the generator again and replace the hex values in
the layouts (the check lists any that no longer belong to the palette).
"""

# Colours as RRGGBB (opaque) or AARRGGBB.
PALETTE = {
    # brand and states
    "accent":         "4EA4FD",   # frames, hot and selected text, checks
    "primary":        "2D8CF0",   # filled primary buttons
    "primary_hot":    "4A9FF5",
    "primary_down":   "1F78D6",
    "danger":         "F25555",   # stop
    "danger_hot":     "F57272",
    "danger_down":    "D94343",
    "success":        "3BC27A",   # level meter, camera on
    "success_light":  "9BE3BC",
    "warning":        "F5A623",   # notice sign
    "close_hot":      "E81123",   # caption close button
    "close_down":     "C50F1F",
    # text
    "text":           "333333",
    "text2":          "666666",
    "text3":          "999999",
    "text_disabled":  "B8BEC7",
    "white":          "FFFFFF",
    # surfaces and lines
    "window_border":  "C9CFD8",
    "border":         "E1E5EB",
    "divider":        "E8EBEF",
    "bar":            "F5F7FA",   # bottom bar, title bands
    "tile":           "F7F8FA",   # tiles and panels
    "hover_bg":       "EEF5FF",
    "selected_bg":    "E6F1FF",
    "hover_border":   "A6CFFE",
    "icon":           "7A8494",
    "icon_disabled":  "C3C9D1",
    "meter_off":      "DDE1E6",
    "track":          "D5DAE1",   # slider track
    "scroll":         "C5CBD3",
    "scroll_hot":     "A9B1BC",
    "dark":           "2B2F36",   # camera placeholder, countdown disk
}

# Colours the layouts may use besides the palette (given by the region frame's
# size label: near-black with a little transparency).
LAYOUT_EXTRA = {"F1000000", "01000000", "FFFF0000"}

FONT_FILE = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

# Sizes (width, height) of the images whose cells the layouts and the windows
# address with source rectangles. Cells are stacked vertically.
SIZES = {
    "main_window": (858, 300),
    "tile": (130, 168),           # mode tiles: icon area 136 + caption strip 32
    "tile_strip": 32,
    "camera_sel": (130, 32),      # cells: disabled, off, on
    "btn_list": (66, 52),         # cells: selected, hot, normal
    "anniulan": (195, 52),        # cells: normal, hot
    "hong2": (113, 52),           # cells: normal, hot
    "btn_pause": (113, 52),       # cells: normal, hot, selected, selected hot
    "caption_btn": (40, 40),      # cells: normal, hot, pushed
    "bar_icon": (36, 36),         # mic / volume: normal, hot, selected, selected hot, disabled
    "arrow": (36, 32),            # tile arrows: normal, hot, pushed, disabled
    "dev_arrow": (20, 36),        # bar arrows: normal, hot, pushed, disabled
    "tool_icon": (32, 32),        # toolbar icons: normal, hot, pushed
    "tool_tile": (100, 168),      # recording page tiles: normal, hot, pushed
    "tool_glyph": 44,             # recording page tile icons
    "digit": (17, 21),
    "digit_dot": (7, 21),
    "slider": (88, 16),
    "thumb": (16, 16),            # cells: normal, hot, pushed, disabled
    "button": (40, 32),           # 9-slice buttons: normal, hot, pushed, disabled
    "check": (16, 16),            # cells: normal, hot, selected, selected hot, disabled
    "radio": (18, 18),            # cells: normal, selected
    "tab": (80, 45),              # cells: normal, hot, selected
    "countdown": (426, 550),
    "countdown_frames": 90,
    "shadow": (64, 64),           # window shadow: size 13, corner 24
    "camera_bk": (320, 240),
    "drag": (22, 22),
}


def argb(name, alpha="FF"):
    """The palette colour as the layouts write it: #AARRGGBB."""
    value = PALETTE[name]
    return "#" + (value if len(value) == 8 else alpha + value)


def im(name, alpha=None):
    """The palette colour as ImageMagick takes it: #RRGGBB or #RRGGBBAA."""
    value = PALETTE[name]
    if len(value) == 8:
        value, alpha = value[2:], value[:2]
    return "#" + value + (alpha or "")
