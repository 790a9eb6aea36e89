#pragma once
// The four message box icons, 32 x 32, drawn by code.

#include "platform/surface.h"
#include "platform/ui_message_window.h"

namespace qm {

class Host;

constexpr int MessageIconSize = 32;

void DrawMessageIcon(Surface& screen, Host& host, MessageIcon icon, int x, int y);

}  // namespace qm
