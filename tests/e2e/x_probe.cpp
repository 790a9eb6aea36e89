// Two things the end-to-end checks need from the X server that xdotool cannot give on a bare
// server with no window manager:
//
//   e2e_x_probe close WINDOW_ID   ask the window to close, as a window manager's close
//                                 button does (the WM_DELETE_WINDOW message); xdotool can
//                                 only destroy a window or kill its client
//   e2e_x_probe cursor            print how many pixels of the pointer's current image can
//                                 be seen; 0 means the game has hidden the pointer
//
// Exit codes: 0 done, 1 the window does not take WM_DELETE_WINDOW or the cursor image cannot
// be read, 2 bad arguments or no display.

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// True if the window lists the atom in its WM_PROTOCOLS, as a program must to be asked.
bool TakesProtocol(Display* display, Window window, Atom protocol) {
  Atom* protocols = nullptr;
  int count = 0;
  if (!XGetWMProtocols(display, window, &protocols, &count)) return false;
  bool found = false;
  for (int i = 0; i < count; ++i) found = found || protocols[i] == protocol;
  XFree(protocols);
  return found;
}

int CloseWindow(Display* display, const char* idText) {
  char* end = nullptr;
  unsigned long id = std::strtoul(idText, &end, 0);
  if (!end || *end != '\0' || id == 0) {
    std::fprintf(stderr, "e2e_x_probe: not a window id: '%s'\n", idText);
    return 2;
  }
  const auto window = static_cast<Window>(id);
  Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  if (!TakesProtocol(display, window, deleteWindow)) {
    std::fprintf(stderr, "e2e_x_probe: window 0x%lx does not take WM_DELETE_WINDOW\n", id);
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(deleteWindow);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return 0;
}

// A hidden pointer is an image whose every pixel is fully transparent.
int ReadCursor(Display* display) {
  int eventBase = 0, errorBase = 0;
  if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
    std::fprintf(stderr, "e2e_x_probe: the X server has no XFIXES\n");
    return 1;
  }
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (!image) {
    std::fprintf(stderr, "e2e_x_probe: cannot read the cursor image\n");
    return 1;
  }
  long visible = 0;
  const long count = static_cast<long>(image->width) * image->height;
  for (long i = 0; i < count; ++i) {
    if ((image->pixels[i] >> 24) & 0xFF) ++visible;
  }
  XFree(image);
  std::printf("%ld\n", visible);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool close = argc == 3 && std::strcmp(argv[1], "close") == 0;
  const bool cursor = argc == 2 && std::strcmp(argv[1], "cursor") == 0;
  if (!close && !cursor) {
    std::fprintf(stderr, "usage: e2e_x_probe close WINDOW_ID | e2e_x_probe cursor\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "e2e_x_probe: cannot open the display\n");
    return 2;
  }
  int code = close ? CloseWindow(display, argv[2]) : ReadCursor(display);
  XCloseDisplay(display);
  return code;
}
