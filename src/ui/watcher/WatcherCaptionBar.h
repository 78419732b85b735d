#pragma once

class QComboBox;
class QPushButton;
class QWidget;
class TGradientBar;
class TImageList;

// A watcher's caption bar with its two controls at the right end, the button rightmost. Kept apart
// from the panel's plot code because the bar's and the plot's colour headers both name the same colours.
struct TWatcherCaptionBar {
    TGradientBar *Bar = nullptr;
    // The same bar, for layouts that see only the forward declaration.
    QWidget *Widget = nullptr;
    QComboBox *Units = nullptr;
    QPushButton *Props = nullptr;
};

// Parented to `parent`; icons from `images` (the 16-pixel interface list), index 0 until the owner sets one.
TWatcherCaptionBar CreateWatcherCaptionBar(TImageList *images, QWidget *parent);
