#pragma once

#include <QIcon>

class QObject;
class QWidget;
class TImageList;

// The 15 interface pictures in the order of InterfaceImageIndex, PixelSize logical pixels square
// (16 or 32), drawn from the embedded SVGs at the highest device pixel ratio of the screens present.
// A window on another screen asks the list for its own ratio (TImageList::SetDevicePixelRatio).
// The list is owned by Parent.
TImageList *CreateInterfaceImageList(int PixelSize, QObject *Parent);

// Keeps List drawn at the device pixel ratio of Window's screen: when Window is shown and when it moves
// to another screen. A ratio change of the same screen (a new scaling setting) is noticed at the next
// showing. Stops when either is destroyed.
void FollowDevicePixelRatio(TImageList *List, QWidget *Window);

// The program's icon at the usual icon sizes, drawn from the embedded SVG.
QIcon ApplicationIcon();
