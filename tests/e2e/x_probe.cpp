// Two things the end-to-end checks need from the X server that xdotool cannot give on a bare
// server with no window manager:
//
//   e2e_x_probe close WINDOW_ID   ask the window to close, as a window manager's close
//                                 button does (the WM_DELETE_WINDOW message); xdotool can
//                                 only destroy a window or kill its client
//   e2e_x_probe cursor            print how many pixels of the pointer's current image can
//                                 be seen; 0 means the game has hidden the pointer
//
// Exit codes: 0 done, 1 the cursor image cannot be read, 2 bad arguments or no display.

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A window that does not take WM_DELETE_WINDOW ignores the message and stays open, which the
// checks catch by the game not ending.
int CloseWindow(Display* display, const char* idText) {
  char* end = nullptr;
  const unsigned long id = std::strtoul(idText, &end, 0);
  if (!end || *end != '\0' || id == 0) {
    std::fprintf(stderr, "e2e_x_probe: not a window id: '%s'\n", idText);
    return 2;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = static_cast<Window>(id);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XSync(display, False);
  return 0;
}

// A hidden pointer is an image whose every pixel is fully transparent.
int ReadCursor(Display* display) {
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (!image) {
    std::fprintf(stderr, "e2e_x_probe: cannot read the cursor image\n");
    return 1;
  }
  long visible = 0;
  const long count = static_cast<long>(image->width) * image->height;
  for (long i = 0; i < count; ++i) visible += (image->pixels[i] >> 24) & 0xFF ? 1 : 0;
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
