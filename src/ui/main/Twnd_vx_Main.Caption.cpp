// The caption switch: the window without the window system's title bar and without its menu bar.
#include "Twnd_vx_Main.h"

#include "TAction.h"
#include "WindowFlags.h"

#include <QMenuBar>
#include <QStyle>

bool Twnd_vx_Main::HasCaption() const
{
    return !windowFlags().testFlag(Qt::FramelessWindowHint);
}

void Twnd_vx_Main::LearnFrame()
{
    if (!HasCaption() || !isVisible())
        return;
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const int top = client.top() - frame.top();
    const int bottom = frame.bottom() - client.bottom();
    // A frame without a taller top edge has no title bar (no window manager, or the offscreen platform).
    if (top > bottom) {
        FTitleBarHeight = top - bottom;
        FFrameHeight = top + bottom;
    }
}

int Twnd_vx_Main::CaptionHeight()
{
    LearnFrame();
    return FTitleBarHeight > 0 ? FTitleBarHeight : style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
}

// Where the window system tells nothing of its frame, the frame is taken to be the title bar alone: the
// heights then add up the same way in both directions.
int Twnd_vx_Main::FrameHeight()
{
    if (!HasCaption())
        return 0;
    const int title = CaptionHeight();
    return FFrameHeight > 0 ? FFrameHeight : title;
}

int Twnd_vx_Main::OuterHeight()
{
    return height() + FrameHeight();
}

void Twnd_vx_Main::SetOuterHeight(int AHeight)
{
    resize(width(), AHeight - FrameHeight());
}

void Twnd_vx_Main::HideCaption()
{
    // The window is always a normal bordered one, so the title bar is the full-size one.
    const int outer = OuterHeight();
    const int title = CaptionHeight();
    SetWindowFlagInPlace(*this, Qt::FramelessWindowHint, true);
    SetOuterHeight(outer - title);
}

void Twnd_vx_Main::ShowCaption()
{
    const int outer = OuterHeight();
    const int title = CaptionHeight();
    SetWindowFlagInPlace(*this, Qt::FramelessWindowHint, false);
    SetOuterHeight(outer + title);
}

void Twnd_vx_Main::ApplyCaption(bool adjust)
{
    if (acCaption->isChecked()) {
        if (HasCaption())
            return;
        MainMenu->show();
        SetOuterHeight(OuterHeight() + CaptionHeight() + 2);
        ShowCaption();
        return;
    }
    // A window without a title bar has none to give up again (a later showing restores the layout anew).
    if (!HasCaption())
        return;
    const int restoredHeight = height();
    HideCaption();
    MainMenu->hide();
    if (adjust)
        SetOuterHeight(OuterHeight() - (CaptionHeight() + 2));
    else
        // A restored size was saved from the window without title bar and menu bar: it is that window's already.
        resize(width(), restoredHeight);
}
