# The part of the X screen the monitor shows, as WxH+X+Y: the current video mode's size at the
# viewport's origin (asked of the XFree86-VidModeExtension); the whole screen where the server has no
# such extension.
import ctypes
import sys


class ModeLine(ctypes.Structure):
    _fields_ = [(name, ctypes.c_ushort) for name in
                ("hdisplay", "hsyncstart", "hsyncend", "htotal", "hskew",
                 "vdisplay", "vsyncstart", "vsyncend", "vtotal")] + \
               [("flags", ctypes.c_uint), ("privsize", ctypes.c_int), ("private", ctypes.c_void_p)]


def main():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    for call in (x11.XDefaultScreen, x11.XDisplayWidth, x11.XDisplayHeight):
        call.argtypes = [ctypes.c_void_p] + ([ctypes.c_int] if call is not x11.XDefaultScreen else [])
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("shown_region.py: cannot open the display")
    screen = x11.XDefaultScreen(display)
    region = [x11.XDisplayWidth(display, screen), x11.XDisplayHeight(display, screen), 0, 0]
    vm = ctypes.CDLL("libXxf86vm.so.1")
    vm.XF86VidModeQueryExtension.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p]
    vm.XF86VidModeGetModeLine.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p]
    vm.XF86VidModeGetViewPort.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p]
    base, error, clock, x, y, mode = (ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), ctypes.c_int(),
                                      ctypes.c_int(), ModeLine())
    if vm.XF86VidModeQueryExtension(display, ctypes.byref(base), ctypes.byref(error)) and \
            vm.XF86VidModeGetModeLine(display, screen, ctypes.byref(clock), ctypes.byref(mode)) and \
            vm.XF86VidModeGetViewPort(display, screen, ctypes.byref(x), ctypes.byref(y)):
        region = [mode.hdisplay, mode.vdisplay, x.value, y.value]
    print("%dx%d+%d+%d" % tuple(region))


main()
