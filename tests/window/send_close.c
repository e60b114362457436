/* Asks an X11 window to close the way a window manager does (WM_DELETE_WINDOW), so the
 * close path can be tested under Xvfb, where no window manager runs. The name is looked up
 * as WM_NAME and as _NET_WM_NAME (message boxes set only the latter).
 *   send_close WINDOW_NAME */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <string.h>

static int NetName(Display* d, Window w, const char* name) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = NULL;
  int same = 0;
  if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 1024, False,
                         XInternAtom(d, "UTF8_STRING", False), &type, &format, &count, &after,
                         &data) == Success &&
      data) {
    same = strcmp((const char*)data, name) == 0;
    XFree(data);
  }
  return same;
}

static Window Find(Display* d, Window w, const char* name) {
  char* title = NULL;
  if (XFetchName(d, w, &title) && title) {
    int same = strcmp(title, name) == 0;
    XFree(title);
    if (same) return w;
  }
  if (NetName(d, w, name)) return w;
  Window root, parent, *children = NULL;
  unsigned int n = 0;
  Window found = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &n)) {
    for (unsigned int i = 0; i < n && !found; ++i) found = Find(d, children[i], name);
    if (children) XFree(children);
  }
  return found;
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Display* d = XOpenDisplay(NULL);
  if (!d) return 3;
  Window w = Find(d, DefaultRootWindow(d), argv[1]);
  if (!w) {
    fprintf(stderr, "no window named %s\n", argv[1]);
    return 1;
  }
  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &e);
  XFlush(d);
  XCloseDisplay(d);
  return 0;
}
