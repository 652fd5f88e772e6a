// The desktop on X11, asked through a connection of its own to the display GLUT uses: Xwayland told
// from the server itself, the RandR monitors, the pointer, the window manager (EWMH), and the full
// screen and the keyboard on one monitor once the window is mapped.
#include "app/desktop.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>

#include <cstring>

namespace {

constexpr int MAP_WAIT_MS = 5000;  // a window manager maps a new window well within this
constexpr long SOURCE_APPLICATION = 1;  // _NET_ACTIVE_WINDOW's source indication: a normal program

// Xwayland names its RandR outputs XWAYLAND0, XWAYLAND1, ...; newer ones also offer an extension of
// that name.
bool is_xwayland(Display* display, Window root) {
  int opcode, event, error;
  if (XQueryExtension(display, "XWAYLAND", &opcode, &event, &error)) return true;
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (resources == nullptr) return false;
  bool found = false;
  for (int i = 0; i < resources->noutput && !found; ++i) {
    XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
    if (output == nullptr) continue;
    found = std::strncmp(output->name, "XWAYLAND", 8) == 0;
    XRRFreeOutputInfo(output);
  }
  XRRFreeScreenResources(resources);
  return found;
}

// The active monitors in the server's order, which is also the order of the Xinerama heads that
// window managers number monitors by.
void read_monitors(Display* display, Window root, Desktop& desktop) {
  int event, error;
  if (!XRRQueryExtension(display, &event, &error)) return;
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
  if (monitors == nullptr) return;
  for (int i = 0; i < count && desktop.monitor_count < MAX_MONITORS; ++i) {
    Monitor& m = desktop.monitors[desktop.monitor_count++];
    m = Monitor{monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height, monitors[i].primary != 0};
  }
  XRRFreeMonitors(monitors);
}

// The window a property of window names, or None.
Window window_property(Display* display, Window window, Atom property) {
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  Window found = None;
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format, &items, &after,
                         &data) == Success &&
      type == XA_WINDOW && format == 32 && items == 1)
    found = *reinterpret_cast<Window*>(data);
  if (data != nullptr) XFree(data);
  return found;
}

// A window manager that follows EWMH names a check window on the root, which names itself.
bool has_window_manager(Display* display, Window root) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  const Window child = window_property(display, root, check);
  return child != None && window_property(display, child, check) == child;
}

// Waits up to MAP_WAIT_MS for an event of type on window.
bool wait_for_event(Display* display, Window window, int type, XEvent& event) {
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  for (int waited = 0; waited < MAP_WAIT_MS;) {
    while (XPending(display) > 0) {
      XNextEvent(display, &event);
      if (event.type == type && event.xany.window == window) return true;
    }
    constexpr int STEP_MS = 50;
    poll(&fd, 1, STEP_MS);
    waited += STEP_MS;
  }
  return false;
}

// The server's time now, for requests that a window manager weighs against the user's last input:
// the time stamp of a property change on a window of this connection.
Time server_time(Display* display, Window root) {
  XSetWindowAttributes attributes;
  attributes.event_mask = PropertyChangeMask;
  const Window stamp = XCreateWindow(display, root, -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask,
                                     &attributes);
  const Atom name = XInternAtom(display, "WM_NAME", False);
  XChangeProperty(display, stamp, name, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent event;
  const Time now = wait_for_event(display, stamp, PropertyNotify, event) ? event.xproperty.time : CurrentTime;
  XDestroyWindow(display, stamp);
  return now;
}

void send_to_window_manager(Display* display, Window root, Window window, const char* message,
                            const long (&data)[5]) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, message, False);
  event.xclient.format = 32;
  for (int i = 0; i < 5; ++i) event.xclient.data.l[i] = data[i];
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

Desktop look_at_desktop() {
  Desktop desktop;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return desktop;  // GLUT then says why it cannot open the display
  const Window root = DefaultRootWindow(display);
  desktop.xwayland = is_xwayland(display, root);
  desktop.window_manager = has_window_manager(display, root);
  read_monitors(display, root, desktop);
  Window root_back, child;
  int x, y, window_x, window_y;
  unsigned int buttons;
  if (XQueryPointer(display, root, &root_back, &child, &x, &y, &window_x, &window_y, &buttons)) {
    desktop.pointer_x = x;
    desktop.pointer_y = y;
  }
  XCloseDisplay(display);
  return desktop;
}

void settle_window(const Desktop& desktop, int monitor) {
  // GLUT's new window is current; its GLX drawable is the X window itself.
  const Window window = glXGetCurrentDrawable();
  Display* glut_display = glXGetCurrentDisplay();
  if (window == None || glut_display == nullptr) return;
  Display* display = XOpenDisplay(DisplayString(glut_display));
  if (display == nullptr) return;
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, window, StructureNotifyMask);
  XFlush(glut_display);  // GLUT's map request, and the full-screen one, reach the server
  XWindowAttributes attributes;
  XEvent event;
  const bool mapped = (XGetWindowAttributes(display, window, &attributes) && attributes.map_state != IsUnmapped) ||
                      wait_for_event(display, window, MapNotify, event);
  if (mapped) {
    const Time now = server_time(display, root);
    if (desktop.window_manager) {
      if (monitor >= 0) {
        const long heads[5] = {monitor, monitor, monitor, monitor, SOURCE_APPLICATION};
        send_to_window_manager(display, root, window, "_NET_WM_FULLSCREEN_MONITORS", heads);
      }
      const long activate[5] = {SOURCE_APPLICATION, static_cast<long>(now), 0, 0, 0};
      send_to_window_manager(display, root, window, "_NET_ACTIVE_WINDOW", activate);
    } else {
      XSetInputFocus(display, window, RevertToParent, now);
    }
  }
  XSync(display, False);
  XCloseDisplay(display);
}
