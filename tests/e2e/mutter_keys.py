# Types keys through GNOME's compositor as a keyboard does: a virtual keyboard of mutter's RemoteDesktop
# D-Bus interface, on the session bus of DBUS_SESSION_BUS_ADDRESS. Usage: mutter_keys.py KEYSYM...
# (X keysyms in hex, e.g. 71 for q, ff1b for Escape), each pressed and released 100 ms apart.
import sys
import time

import dbus

SHIFT = 0xFFE1  # the session's first key is dropped: a harmless one goes first


def main():
    bus = dbus.SessionBus()
    desktop = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop"),
                             "org.gnome.Mutter.RemoteDesktop")
    path = desktop.CreateSession()
    session = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", path),
                             "org.gnome.Mutter.RemoteDesktop.Session")
    session.Start()
    for keysym in [SHIFT] + [int(k, 16) for k in sys.argv[1:]]:
        session.NotifyKeyboardKeysym(dbus.UInt32(keysym), True)
        session.NotifyKeyboardKeysym(dbus.UInt32(keysym), False)
        time.sleep(0.1)
    session.Stop()


main()
