#pragma once

class QWidget;

// Gives a top-level window a taskbar entry or takes it away, leaving the window itself as it is. On X11 this is
// the EWMH hint _NET_WM_STATE_SKIP_TASKBAR, which EWMH window managers and their panels honour; a window type
// such as Qt::Tool would drop the entry too, but also changes the frame, focus and stacking. Elsewhere (Wayland,
// the offscreen platform) a client has no such hint and the entry stays.
void ShowTaskbarEntry(QWidget &AWindow, bool AShown);
