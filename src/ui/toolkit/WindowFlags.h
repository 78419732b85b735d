#pragma once

#include <Qt>

class QWidget;

// Sets or clears one window flag of a top-level window. A shown window stays where it is, in its state and
// shown: Qt's own route hides the window and shows it anew, which a layout-managed form would take for a new
// showing that re-reads its stored layout. The flag goes to the native window directly instead.
void SetWindowFlagInPlace(QWidget &AWindow, Qt::WindowType AFlag, bool AOn);
