"""Images of the sound device dialog: its level bars and the combo boxes' arrow."""
import os

from canvas import Canvas
from palette import im

SKIN = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "skin", "vistrel"))


def sound_dialog():
    # The dialog's level bars, 2 x 14: 1 off, 2 the level's edge, 3 lit.
    for n, col in ((1, "meter_off"), (2, "success_light"), (3, "success")):
        Canvas(2, 14, im(col)).save(os.path.join(SKIN, f"common/voice2{n}.png"))
    # The combo boxes' arrow: normal, hot.
    c = Canvas(12, 16)
    for i, col in enumerate(("icon", "accent")):
        c.polygon([(2, 5 + 8 * i - 2), (10, 5 + 8 * i - 2), (6, 9 + 8 * i - 2)], im(col))
    c.save(os.path.join(SKIN, "common/combo_arrow.png"))
