#pragma once
// What the command line tells the hosts.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qm {

class Host;

struct HostOptions {
  std::optional<uint32_t> Seed;           // --seed N: fixes the random generator
  std::string ScriptPath;                 // --script FILE (headless)
  std::string TracePath;                  // --trace FILE (headless)
  int Twips = 15;                         // --twips N (headless): twips per pixel reported
  std::optional<double> DayClockStart;    // --day-clock SECONDS (headless); noon by default
  bool RefuseDisplaySwitch = false;       // --refuse-display-switch (headless): mode switches fail
  int Scale = 0;                          // --scale N (real host): window scale, 0 = automatic
  std::string IconPath;                   // the window's icon (real host): a 32-bit BMP
  std::string WindowTitle = "Quillmoor";  // the real window's title bar
  int FrameMs = 0;                        // --frame-ms N (headless): each frame's wait takes N ms
};

// Both return null and set `error` to a one-line message when the host cannot start
// (no display, unreadable script, ...).
std::unique_ptr<Host> CreateSdlHost(const HostOptions& options, std::string& error);
std::unique_ptr<Host> CreateHeadlessHost(const HostOptions& options, std::string& error);

}  // namespace qm
