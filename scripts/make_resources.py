#!/usr/bin/env python3
"""Writes the window templates and pictures under resources/.

The templates are kept here in dialog units, the way the device's documentation measures
them, and written out as Qt Designer files with pixel geometry. Edit the tables below and run
this script again rather than editing the .ui files by hand.

Dialog units become pixels with the 8-point dialog font's base units at 96 dpi: a character
cell of 6 by 13 pixels, so x * 6 / 4 and y * 13 / 8.
"""
from __future__ import annotations

import math
import pathlib
from dataclasses import dataclass, field
from xml.sax.saxutils import escape

ROOT = pathlib.Path(__file__).resolve().parent.parent / "resources"


def px_x(dlu: float) -> int:
    return int(dlu * 6 / 4 + 0.5)


def px_y(dlu: float) -> int:
    return int(dlu * 13 / 8 + 0.5)


@dataclass
class Control:
    kind: str  # Qt class
    name: str
    x: float
    y: float
    w: float
    h: float
    text: str | None = None
    items: list[str] = field(default_factory=list)
    extra: str = ""  # further <property> elements

    def xml(self) -> str:
        props = [rect(self.x, self.y, self.w, self.h)]
        if self.text is not None:
            prop_name = "title" if self.kind == "QGroupBox" else "text"
            props.append(string_property(prop_name, self.text))
        if self.extra:
            props.append(self.extra)
        items = "".join(
            f'   <item>\n    {string_property("text", item)}\n   </item>\n' for item in self.items
        )
        body = "".join(f"   {p}\n" for p in props)
        return f'  <widget class="{self.kind}" name="{self.name}">\n{body}{items}  </widget>\n'


def rect(x: float, y: float, w: float, h: float) -> str:
    return (
        '<property name="geometry"><rect>'
        f"<x>{px_x(x)}</x><y>{px_y(y)}</y><width>{px_x(w)}</width><height>{px_y(h)}</height>"
        "</rect></property>"
    )


def string_property(name: str, text: str) -> str:
    return f'<property name="{name}"><string>{escape(text)}</string></property>'


def enum_property(name: str, value: str) -> str:
    return f'<property name="{name}"><enum>{value}</enum></property>'


def bool_property(name: str, value: bool) -> str:
    return f'<property name="{name}"><bool>{"true" if value else "false"}</bool></property>'


def idc(number: int) -> str:
    return f"idc{number}"


def label(number_or_name, x, y, w, text) -> Control:
    name = idc(number_or_name) if isinstance(number_or_name, int) else number_or_name
    return Control("QLabel", name, x, y, w, 8, text)


def combo(number, x, y, w, items=(), editable=False) -> Control:
    # A typed text is used as it stands; it never joins the list.
    extra = (bool_property("editable", True) + enum_property("insertPolicy", "QComboBox::NoInsert")
             if editable else "")
    return Control("QComboBox", idc(number), x, y, w, 12, items=list(items), extra=extra)


def edit(number, x, y, w) -> Control:
    return Control("QLineEdit", idc(number), x, y, w, 12)


def slider(number, x, y, w) -> Control:
    extra = enum_property("orientation", "Qt::Horizontal") + enum_property(
        "tickPosition", "QSlider::TicksBelow"
    )
    return Control("QSlider", idc(number), x, y, w, 15, extra=extra)


def button(number, x, y, w, text) -> Control:
    # Enter in the panel must not press a button of its own accord.
    return Control("QPushButton", idc(number), x, y, w, 14, text,
                   extra=bool_property("autoDefault", False))


def separator(name, x, y, w) -> Control:
    extra = enum_property("frameShape", "QFrame::HLine") + enum_property(
        "frameShadow", "QFrame::Sunken"
    )
    return Control("QFrame", name, x, y, w, 2, extra=extra)


def wedge(name, x, y) -> Control:
    # The picture is 21 x 12 pixels; its control is sized to it.
    extra = '<property name="pixmap"><pixmap>:/bitmap_132_slider_wedge.xpm</pixmap></property>'
    return Control("QLabel", name, x, y, 14, 8, extra=extra)


def group_title(name, x, y, text) -> list[Control]:
    return [label(name + "Title", x, y, 28, text), separator(name + "Line", x + 30, y + 4, 136)]


def labelled_rows(rows, label_x, control_x, y0, step, label_w):
    """Rows of (label id, control) pairs, the label left of its control."""
    controls = []
    for index, (label_id, text, make) in enumerate(rows):
        y = y0 + step * index
        controls.append(label(label_id, label_x, y + 2, label_w, text))
        controls.extend(make(control_x, y))
    return controls


def picture_slider(label_id, text, slider_id, value_id, value_text, x, y, slider_x, slider_w):
    """The wedge picture, the label, the slider from slider_x and its value label."""
    return [
        wedge(f"wedge{slider_id}", x, y + 1),
        label(label_id, x + 16, y + 3, slider_x - x - 18, text),
        slider(slider_id, slider_x, y, slider_w),
        label(value_id, slider_x + slider_w + 2, y + 3, 20, value_text),
    ]


def settings_panel() -> list[Control]:
    """Template 129: the upper area (VIDEO, AUDIO, DVB-T, Network, Service, E.I.T.) inside the
    invisible frame 1072, the manufacturer's lower area below it."""
    controls = [
        # Drawn first so every other control lies above it.
        Control("QFrame", idc(1072), 0, 0, 349, 252,
                extra=enum_property("frameShape", "QFrame::NoFrame")
                + bool_property("visible", False)),
        Control("QGroupBox", idc(1045), 6, 146, 166, 68, "Network"),
        Control("QGroupBox", idc(1048), 180, 146, 164, 94, "Service"),
    ]
    # VIDEO, left column.
    controls += group_title("video", 6, 4, "VIDEO")
    controls += labelled_rows(
        [
            (1016, "Standard :", lambda x, y: [combo(1028, x, y, 56, ["PAL", "NTSC"])]),
            (1017, "Pict. Format :", lambda x, y: [combo(1029, x, y, 56)]),
        ],
        6, 66, 16, 15, 58,
    )
    controls += [
        combo(1064, 6, 46, 56, ["H264", "MPEG2-SD", "MPEG2"]),
        edit(1022, 66, 46, 40),
        label("videoBitrateUnit", 109, 48, 20, "Kb/s"),
    ]
    controls += picture_slider(1023, "Light :", 1032, 1057, "128", 6, 62, 66, 86)
    controls += picture_slider(1027, "Contrast :", 1030, 1056, "128", 6, 80, 66, 86)
    controls += picture_slider(1031, "Saturation :", 1034, 1055, "128", 6, 98, 66, 86)
    # AUDIO, left column.
    controls += group_title("audio", 6, 118, "AUDIO")
    controls += [
        combo(1065, 6, 130, 56, ["AAC-LC", "MPEG1-L2"]),
        combo(1025, 66, 130, 56, ["128 Kb/s", "192 Kb/s", "256 Kb/s", "320  Kb/s", "384  Kb/s"]),
    ]
    # DVB-T, right column.
    controls += group_title("dvbt", 180, 4, "DVB-T")
    controls += labelled_rows(
        [
            (1033, "Freq. (kHz) :", lambda x, y: [edit(1007, x, y, 60)]),
            (1037, "TS Id. :", lambda x, y: [edit(1008, x, y, 60)]),
            (1038, "Mode :", lambda x, y: [combo(1010, x, y, 60, ["2K", "8K"])]),
            (1039, "Const. :", lambda x, y: [combo(1011, x, y, 60, ["QPSK", "16-QAM", "64-QAM"])]),
            (1040, "Bandwidth :", lambda x, y: [combo(1012, x, y, 60, ["6 Mhz", "7 Mhz", "8 Mhz"])]),
            (1041, "F.E.C. :",
             lambda x, y: [combo(1013, x, y, 60, ["1/2", "2/3", "3/4", "5/6", "7/8"])]),
            (1042, "Guard Int. :",
             lambda x, y: [combo(1014, x, y, 60, ["1/32", "1/16", "1/8", "1/4"])]),
        ],
        180, 246, 16, 15, 64,
    )
    controls += picture_slider(1043, "Level Att. :", 1015, 1044, "dB", 180, 122, 246, 70)
    # Network, left column.
    controls += labelled_rows(
        [
            (1067, "Vers. :", lambda x, y: [edit(1066, x, y, 30)]),
            (1062, "Original Id. :", lambda x, y: [edit(1061, x, y, 40)]),
            (1046, "Id. :", lambda x, y: [edit(1035, x, y, 40)]),
            (1047, "Name :", lambda x, y: [edit(1036, x, y, 100)]),
        ],
        12, 66, 157, 13, 52,
    )
    # Service, right column; the LCN type list sits beside the LCN.
    controls += labelled_rows(
        [
            (1049, "Id. :", lambda x, y: [edit(1018, x, y, 40)]),
            (1050, "Name :", lambda x, y: [edit(1019, x, y, 96)]),
            (1051, "L.C.N. :", lambda x, y: [edit(1026, x, y, 40), combo(1059, x + 44, y, 52)]),
            (1052, "PMT PID :", lambda x, y: [edit(1024, x, y, 40)]),
            (1053, "Video PID:", lambda x, y: [edit(1020, x, y, 40)]),
            (1054, "Audio PID :", lambda x, y: [edit(1021, x, y, 40)]),
        ],
        186, 242, 157, 13, 54,
    )
    # E.I.T., left column under Network: the last group inside the frame.
    controls += group_title("eit", 6, 217, "E.I.T.")
    controls += labelled_rows(
        [
            ("eitNameLabel", "Name : ", lambda x, y: [edit(1079, x, y, 138)]),
            ("eitTextLabel", "Text :", lambda x, y: [edit(1080, x, y, 138)]),
        ],
        6, 34, 226, 13, 26,
    )
    # The lower area, seen in manufacturer mode only.
    controls += [
        separator("lowerLine", 6, 255, 338),
        label(1058, 6, 262, 50, "Reference :"),
        edit(1060, 58, 260, 190),
        label(1063, 6, 278, 50, "Logos :"),
        combo(1078, 58, 276, 100, editable=True),
        label(1069, 168, 278, 52, "Def. Country :"),
        combo(1068, 222, 276, 70),
        button(1070, 6, 292, 60, "Firm. Reload"),
        button(1071, 70, 292, 70, "Set as Def. Param"),
        button(1074, 234, 292, 50, "SAVE"),
        button(1073, 288, 292, 50, "LOAD"),
        Control("QTableWidget", idc(1075), 6, 310, 270, 76),
        button(1076, 282, 310, 62, "<- FROM FILE"),
        button(1077, 282, 328, 62, "-> TO FILE"),
    ]
    return controls


def status_panel() -> list[Control]:
    """Template 133: the message line and the progress bar."""
    return [
        Control("QLabel", idc(1055), 6, 6, 333, 11, ""),
        Control("QProgressBar", idc(1000), 6, 17, 336, 11,
                extra=bool_property("textVisible", False)),
    ]


FONT = '<property name="font"><font><pointsize>8</pointsize></font></property>'


def template(number: int, base: str, width: float, height: float, controls: list[Control],
             caption: str | None = None) -> str:
    cls = f"Template{number}"
    props = [rect(0, 0, width, height), FONT]
    if caption is not None:
        props.append(string_property("windowTitle", caption))
    body = "".join(f"  {p}\n" for p in props) + "".join(c.xml() for c in controls)
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<ui version="4.0">\n'
        f" <class>{cls}</class>\n"
        f' <widget class="{base}" name="{cls}">\n'
        f"{body}"
        " </widget>\n"
        " <resources/>\n"
        " <connections/>\n"
        "</ui>\n"
    )


def xpm(name: str, rows: list[str], colours: dict[str, str]) -> str:
    height, width = len(rows), len(rows[0])
    lines = [f'"{width} {height} {len(colours)} 1",']
    lines += [f'"{key} c {value}",' for key, value in colours.items()]
    lines += [f'"{row}",' for row in rows]
    lines[-1] = lines[-1].rstrip(",")
    return f"/* XPM */\nstatic const char* {name}[] = {{\n" + "\n".join(lines) + "\n};\n"


def slider_wedge() -> str:
    """Bitmap 132: a wedge rising from the lower left to the upper right, 21 x 12."""
    width, height = 21, 12
    rows = []
    for y in range(height):
        row = ""
        for x in range(width):
            top = (height - 1) - x * (height - 1) / (width - 1)
            row += "#" if y >= math.floor(top) else "."
        rows.append(row)
    return xpm("bitmap_132", rows, {".": "None", "#": "#606060"})


def application_icon() -> str:
    """Icon 127: a transmitter mast sending waves, on a dark blue disc, 32 x 32."""
    size, centre = 32, 15.5
    rows = []
    for y in range(size):
        row = ""
        for x in range(size):
            dx, dy = x - centre, y - centre
            distance = math.hypot(dx, dy)
            pixel = "."
            if distance <= 15.5:
                pixel = "b"
                # The mast: a narrow triangle standing on the bottom of the disc.
                if 10 <= y <= 27 and abs(dx) <= (y - 10) * 0.28 + 0.6:
                    pixel = "w"
                # Two pairs of arcs above the mast's tip.
                tip = math.hypot(dx, y - 10)
                if y < 10 and abs(dx) > 1.5 and (4 <= tip <= 5.3 or 7.8 <= tip <= 9.1):
                    pixel = "y"
            row += pixel
        rows.append(row)
    return xpm("icon_127", rows, {".": "None", "b": "#1F3A68", "w": "#FFFFFF", "y": "#F2C230"})


def main() -> None:
    outputs = {
        # Replaced at run time; sized like the connected window so that centring it at
        # start leaves room for the panel to open downwards.
        "template_102_main_window.ui": template(
            102, "QDialog", 350, 306, [], "VEMO Software 2.2 - NORVAL TECH"),
        "template_129_settings_panel.ui": template(129, "QWidget", 350, 392, settings_panel()),
        "template_133_status_panel.ui": template(133, "QWidget", 349, 41, status_panel()),
        "bitmap_132_slider_wedge.xpm": slider_wedge(),
        "icon_127.xpm": application_icon(),
    }
    for name, text in outputs.items():
        (ROOT / name).write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
