# The monitor as GNOME's compositor shows it, cursor included: a stream of mutter's ScreenCast D-Bus
# interface, one frame of it read through PipeWire by gstreamer's pipewiresrc, written as PNG.
# Usage: mutter_screenshot.py OUTPUT.png (PipeWire and its session manager running on this bus).
import subprocess
import sys

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.gnome.Mutter.ScreenCast"


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    cast = dbus.Interface(bus.get_object(NAME, "/org/gnome/Mutter/ScreenCast"), NAME)
    session_path = cast.CreateSession({})
    session = dbus.Interface(bus.get_object(NAME, session_path), NAME + ".Session")
    stream_path = session.RecordMonitor("", {"cursor-mode": dbus.UInt32(1)})  # the primary monitor
    loop = GLib.MainLoop()
    node = []

    def added(node_id):
        node.append(int(node_id))
        loop.quit()

    bus.add_signal_receiver(added, "PipeWireStreamAdded", NAME + ".Stream", NAME, stream_path)
    session.Start()
    GLib.timeout_add_seconds(20, loop.quit)
    loop.run()
    if not node:
        sys.exit("mutter_screenshot.py: no PipeWire stream")
    status = subprocess.call(["gst-launch-1.0", "-q", "pipewiresrc", "path=%d" % node[0], "num-buffers=1",
                              "!", "videoconvert", "!", "pngenc", "!", "filesink", "location=" + sys.argv[1]],
                             timeout=30)
    session.Stop()
    sys.exit(status)


main()
