// Counts what reaches the display, for bench/real_game.sh: loaded into the game with
// LD_PRELOAD, it notes the moment each present returns ("p"), and each text the TrueType
// renderer draws ("t"), one line per event in the file named by QUILLMOOR_FRAME_LOG. It
// works the same on any build of the game, so two builds can be compared.

#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

int LogFile() {
  static int fd = [] {
    const char* path = std::getenv("QUILLMOOR_FRAME_LOG");
    return path && *path ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
  }();
  return fd;
}

void Note(char what) {
  int fd = LogFile();
  if (fd < 0) return;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  char line[40];
  int n = std::snprintf(line, sizeof line, "%c %lld\n", what,
                        static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  if (write(fd, line, static_cast<size_t>(n)) < 0) return;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

void SDL_RenderPresent(void* renderer) {
  static auto next = Next<void (*)(void*)>("SDL_RenderPresent");
  next(renderer);
  Note('p');
}

int SDL_UpdateWindowSurface(void* window) {
  static auto next = Next<int (*)(void*)>("SDL_UpdateWindowSurface");
  int result = next(window);
  Note('p');
  return result;
}

int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
  static auto next = Next<int (*)(void*, const void*, int)>("SDL_UpdateWindowSurfaceRects");
  int result = next(window, rects, count);
  Note('p');
  return result;
}

void* TTF_RenderUTF8_Blended(void* font, const char* text, unsigned int color) {
  static auto next = Next<void* (*)(void*, const char*, unsigned int)>("TTF_RenderUTF8_Blended");
  Note('t');
  return next(font, text, color);
}
}
