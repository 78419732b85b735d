#pragma once

#include "ILayoutManagedForm.h"
#include "Quarl.LayoutManager.Control.h"
#include "TForm.h"

#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class QRect;
class QScreen;
class TLMForm;

using TLMFormNotifyEvent = std::function<void(TLMForm *Sender)>;
// The list belongs to the form and lives only for the call.
using TOnDropFilesEvent = std::function<void(TLMForm *Sender, const QStringList &AFiles)>;
using TMonitorChangedEvent = std::function<void(TLMForm *Sender, int OldMonitor, int NewMonitor)>;

// A window that remembers its layout: restores it on every showing, saves it once a move or resize has come to
// rest and when the window is destroyed. The save for destruction runs while the whole window still exists:
// in the close event of a close that frees the form, else in SaveLayoutBeforeDestruction.
class TLMForm : public TForm, public ILayoutManagedForm {
    Q_OBJECT
    // Re-declared so that a change runs the two hooks.
    Q_PROPERTY(int WindowState READ GetWindowState WRITE SetWindowState)

public:
    // Qt reports no end of a move or resize; the first pause this long after the last one stands for it.
    static constexpr int MoveQuietMilliseconds = 500;

    explicit TLMForm(QWidget *parent = nullptr);
    // Saves through SaveLayoutBeforeDestruction, unless that has already been done.
    ~TLMForm() override;

    // The save for destruction. A derived form whose save reads its own members (save handlers, published
    // properties, named values it keeps) calls this first in its destructor: by the time ~TLMForm runs those
    // members are gone. Does nothing when the close that frees the form has saved, or when it was called
    // before and the form has not been shown, moved or resized since. An error reaches the general error
    // handling from the event loop, so no message box opens inside a destructor.
    void SaveLayoutBeforeDestruction();

    // The application's first layout-managed form still alive; none before the first is created.
    static TLMForm *MainForm();

    TLayoutManager &LayoutManager() const { return *FLM; }
    bool GetLayoutControl() const { return FLC; }
    void SetLayoutControl(bool AValue);
    TLayoutManagerControlOptions GetLayoutOptions() const { return FLMCO; }
    void SetLayoutOptions(TLayoutManagerControlOptions AValue);
    bool GetLayoutReadOnly() const override { return FRO; }
    void SetLayoutReadOnly(bool AValue) override;
    bool IsClosing() const override { return FClosing; }
    // True while the form and its widgets are resolved anew for a screen of another DPI.
    bool IsDPIChanging() const { return FDPIChanging; }

    // 0 normal, 1 minimized, 2 maximized; a change runs the two hooks around Qt's own.
    void SetWindowState(int AValue);
    void SetLayoutWindowState(int AValue) override { SetWindowState(AValue); }

    void SetOnBeforeRestore(TLayoutManagerNotifyEvent AValue);
    void SetOnAfterRestore(TLayoutManagerNotifyEvent AValue);
    void SetOnBeforeSave(TLayoutManagerNotifyEvent AValue);
    void SetOnAfterSave(TLayoutManagerNotifyEvent AValue);

    // Centres the outer frame on AForm, or on the primary monitor's work area when there is none.
    void CenterTo(const QWidget *AForm);
    void CenterToDesktop();
    // Full bounds of the monitor; an index out of range centres as CenterTo(nullptr).
    void CenterToMonitor(int AMonitor);

    // Tells Qt whether files may be dropped on the window.
    bool GetAcceptFiles() const { return FAF; }
    void SetAcceptFiles(bool AValue);
    // Re-reads the form's position and size for the new desktop, leaving its window state alone. Qt's screen
    // signals call it once the event loop has taken all of them.
    void DisplayChanged();

    TLMFormNotifyEvent OnDisplayChange;
    // The window system's minimize, maximize and restore commands. Qt tells of them only once the state has
    // changed, so these fire right after the change rather than before it; code that changes the state fires
    // none of them.
    TLMFormNotifyEvent OnMinimize;
    TLMFormNotifyEvent OnMaximize;
    TLMFormNotifyEvent OnRestore;
    TOnDropFilesEvent OnDropFiles;
    TMonitorChangedEvent OnMonitorChanged;
    // A click outside the form. While the pointer is outside a visible form, the form holds the mouse (Qt's
    // grab); a press anywhere outside, or the window losing activation, ends the hold and fires this, and the
    // pointer coming back ends it quietly. The press that ends the hold is the form's, not the window's under
    // it. Holding the mouse takes that click from every other window, so a form holds it only while this
    // handler is set. Where the window system refuses grabs (Wayland), only the loss of activation and presses
    // in the application's own windows are seen.
    TLMFormNotifyEvent OnMouseClickOutside;

    void setVisible(bool visible) override;

protected:
    virtual void DoBeforeWindowStateChange(int ANewState);
    virtual void DoAfterWindowStateChange(int ANewState);
    // ACommand is the window state the window system moved the form to.
    virtual void DoSysCommand(int ACommand);

    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void CenterIn(const QRect &AArea);
    // A move or resize in progress: reports a change of the nearest monitor at once, and restarts the wait
    // for the end of the move.
    void MovingOrSizing();
    void WatchScreen(QScreen *AScreen);
    int ScreenDpi() const;
    // When the form's screen has another DPI than the one last seen, re-resolves the form and every widget on
    // it for the new DPI, with DPIChanging set throughout; tells whether it did.
    bool FollowScreenDpi();
    // The pointer is outside: hold the mouse, if anyone listens for a click outside.
    void CaptureMouse();
    void ReleaseMouseCapture();
    void PointerEntered();
    void MouseCaptureLost();
    // Errors of the storage go to the general error handling; the form stays usable.
    void SaveLayout();
    // The save for destruction, once; errors are shown at once or, inside a destructor, from the event loop.
    void SaveForDestruction(bool AReportLater);
    void RestoreLayout();

    std::unique_ptr<TLayoutManager> FLM;
    bool FLC = false;
    TLayoutManagerNotifyEvent FOnAfterRestore;
    TLayoutManagerNotifyEvent FOnAfterSave;
    TLayoutManagerNotifyEvent FOnBeforeRestore;
    TLayoutManagerNotifyEvent FOnBeforeSave;
    TLayoutManagerControlOptions FLMCO;
    bool FRO = false;
    bool FAF = false;
    bool FClosing = false;
    bool FSavedForDestruction = false; // and nothing has changed since
    bool FDPIChanging = false;
    bool FMouseInDialog = false;
    // Mouse tracking as it was before the hold; the hold needs moves to see the pointer come back.
    bool FTrackingBeforeCapture = false;
    int FMonNum = -1;
    // Effective DPI of the form's screen when last seen.
    int FScreenDpi = 0;
    // States set in code whose report back from the window system is still to come.
    std::deque<int> FCodeStates;
    QTimer FMoveQuiet;
    // A new resolution moves every screen to its right as well; the display change follows them all, once.
    QTimer FDisplayChange;
};
