#pragma once

class QWidget;

// Gives a top-level window a taskbar entry or takes it away, leaving the window itself shown. On X11 this is
// the window manager hint _NET_WM_STATE_SKIP_TASKBAR, which EWMH window managers honour (KWin, Mutter,
// Xfwm4, Openbox, Marco, Muffin, IceWM, Fluxbox) and which a window type such as Qt::Tool would also set
// together with other changes (no focus by default, a utility frame). Elsewhere (Wayland, the offscreen
// platform) there is no such hint and the entry stays.
void ShowTaskbarEntry(QWidget &AWindow, bool AShown);
