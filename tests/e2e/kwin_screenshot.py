# The screen as KWin composites it, through its org.kde.KWin.ScreenShot2 D-Bus interface (which the
# compositor answers without asking when started with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1), written
# as a PPM image. Usage: kwin_screenshot.py OUTPUT.ppm
import os
import sys

import dbus

QIMAGE_FORMATS = {4: "BGRX", 5: "BGRA", 6: "BGRA"}  # RGB32, ARGB32, ARGB32 premultiplied: little-endian bytes


def main():
    bus = dbus.SessionBus()
    shots = dbus.Interface(bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"), "org.kde.KWin.ScreenShot2")
    read_end, write_end = os.pipe()
    result = shots.CaptureActiveScreen({"include-cursor": False}, dbus.types.UnixFd(write_end))
    os.close(write_end)
    width, height, stride, image_format = (int(result[k]) for k in ("width", "height", "stride", "format"))
    if image_format not in QIMAGE_FORMATS:
        sys.exit("kwin_screenshot.py: image format %d" % image_format)
    data = bytearray()
    with os.fdopen(read_end, "rb") as pipe:
        while len(data) < stride * height:
            chunk = pipe.read(stride * height - len(data))
            if not chunk:
                break
            data += chunk
    rgb = bytearray()
    for row in range(height):
        line = data[row * stride:row * stride + width * 4]
        rgb += bytes(b for i in range(0, len(line), 4) for b in (line[i + 2], line[i + 1], line[i]))
    with open(sys.argv[1], "wb") as out:
        out.write(b"P6 %d %d 255\n" % (width, height) + bytes(rgb))


main()
