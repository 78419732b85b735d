#include "Quarl.LayoutManager.Form.h"

#include "FormWindowState.h"
#include "ILayoutScreenSource.h"
#include "ShowException.h"
#include "TQtScreenSource.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QMimeData>
#include <QMouseEvent>
#include <QRect>
#include <QScopedValueRollback>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using enum TLayoutManagerControlOption;

// Division truncates towards zero, so a frame 3 pixels wider than the area moves by -1, not -2.
int CenteredStart(int areaStart, int areaLength, int length)
{
    return areaStart + (areaLength - length) / 2;
}

// Every live layout-managed form, in order of creation.
std::vector<TLMForm *> &LiveForms()
{
    static std::vector<TLMForm *> forms;
    return forms;
}

// What Qt sends a window's widgets when the window moves to another screen: each re-resolves its fonts and
// metrics for that screen.
void SendScreenChange(QWidget &AWidget)
{
    QEvent change(QEvent::ScreenChangeInternal);
    QCoreApplication::sendEvent(&AWidget, &change);
    for (QObject *child : AWidget.children()) {
        if (auto *widget = qobject_cast<QWidget *>(child))
            SendScreenChange(*widget);
    }
}

} // namespace

TLMForm *TLMForm::MainForm()
{
    return LiveForms().empty() ? nullptr : LiveForms().front();
}

TLMForm::TLMForm(QWidget *parent)
    : TForm(parent), FLM(std::make_unique<TLayoutManager>()), FLMCO{loPosition, loSize, loState, loStyle}
{
    FLM->SetOwner(this);
    // A secondary form shares the main form's file and its read-only choice.
    if (TLMForm *main = MainForm(); main != nullptr && !FLM->GetStorage()) {
        FLM->SetStorage(main->FLM->GetStorage());
        SetLayoutReadOnly(main->GetLayoutReadOnly());
    }
    LiveForms().push_back(this);
    FMoveQuiet.setSingleShot(true);
    FMoveQuiet.setInterval(MoveQuietMilliseconds);
    connect(&FMoveQuiet, &QTimer::timeout, this, [this] {
        if (FLC)
            SaveLayout();
    });
    CenterTo(nullptr);
    FDisplayChange.setSingleShot(true);
    FDisplayChange.setInterval(0);
    connect(&FDisplayChange, &QTimer::timeout, this, &TLMForm::DisplayChanged);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        WatchScreen(screen);
        FDisplayChange.start();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this] { FDisplayChange.start(); });
    for (QScreen *screen : QGuiApplication::screens())
        WatchScreen(screen);
    FScreenDpi = ScreenDpi();
}

void TLMForm::WatchScreen(QScreen *AScreen)
{
    // Qt 6.4 tells widgets of a new screen but not of a new scale on their own screen; the screen's signals
    // tell of that. A new scale comes first, then the display change reads the layout for the new desktop.
    connect(AScreen, &QScreen::logicalDotsPerInchChanged, this, [this] { FollowScreenDpi(); });
    connect(AScreen, &QScreen::geometryChanged, this, [this] {
        FollowScreenDpi();
        FDisplayChange.start();
    });
}

TLMForm::~TLMForm()
{
    SaveLayoutBeforeDestruction();
    std::erase(LiveForms(), this);
    ReleaseMouseCapture();
}

void TLMForm::SaveLayoutBeforeDestruction()
{
    SaveForDestruction(true);
}

void TLMForm::SaveForDestruction(bool AReportLater)
{
    FClosing = true;
    FMoveQuiet.stop();
    if (FSavedForDestruction || !FLC)
        return;
    FSavedForDestruction = true;
    try {
        FLM->Save();
    } catch (const std::exception &error) {
        if (!AReportLater) {
            ShowException(error);
            return;
        }
        if (QCoreApplication *application = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                application, [message = std::string(error.what())] { ShowException(std::runtime_error(message)); },
                Qt::QueuedConnection);
        }
    }
}

void TLMForm::SetLayoutControl(bool AValue)
{
    FLC = AValue;
    if (AValue)
        FLM->Add(this, {}, FLMCO);
    else
        FLM->Delete(this);
}

void TLMForm::SetLayoutOptions(TLayoutManagerControlOptions AValue)
{
    FLMCO = AValue;
    FLM->SetOptions(this, AValue);
}

void TLMForm::SetLayoutReadOnly(bool AValue)
{
    FRO = AValue;
    FLM->SetReadOnly(AValue);
}

void TLMForm::SetWindowState(int AValue)
{
    if (AValue == GetWindowState())
        return;
    DoBeforeWindowStateChange(AValue);
    if (windowHandle() != nullptr)
        FCodeStates.push_back(AValue);
    ApplyFormWindowState(*this, AValue);
    DoAfterWindowStateChange(AValue);
}

void TLMForm::DoBeforeWindowStateChange(int) {}

void TLMForm::DoAfterWindowStateChange(int) {}

void TLMForm::DoSysCommand(int ACommand)
{
    const TLMFormNotifyEvent &event = ACommand == StateMinimized ? OnMinimize
                                      : ACommand == StateMaximized ? OnMaximize
                                                                   : OnRestore;
    if (event)
        event(this);
}

bool TLMForm::event(QEvent *event)
{
    // Qt tells the form of a new screen before its widgets; the form resolves them all at once, so that
    // DPIChanging spans the whole change. They hear of it once more from Qt, which changes nothing then.
    if (event->type() == QEvent::ScreenChangeInternal && FollowScreenDpi())
        return true;
    if (event->type() == QEvent::WindowDeactivate && QWidget::mouseGrabber() == this) {
        ReleaseMouseCapture();
        MouseCaptureLost();
    }
    return TForm::event(event);
}

int TLMForm::ScreenDpi() const
{
    return TQtScreenSource::EffectiveDpi(*screen());
}

bool TLMForm::FollowScreenDpi()
{
    const int dpi = ScreenDpi();
    if (dpi == FScreenDpi)
        return false;
    FScreenDpi = dpi;
    const QScopedValueRollback changing(FDPIChanging, true);
    SendScreenChange(*this);
    update();
    return true;
}

void TLMForm::changeEvent(QEvent *event)
{
    // The window system reports every change, also those made in code; only the others are its commands.
    if (event->type() == QEvent::WindowStateChange && event->spontaneous()) {
        const int state = GetWindowState();
        if (!FCodeStates.empty() && FCodeStates.front() == state) {
            FCodeStates.pop_front();
        } else {
            FCodeStates.clear();
            DoSysCommand(state);
        }
    }
    QWidget::changeEvent(event);
}

void TLMForm::SetOnBeforeRestore(TLayoutManagerNotifyEvent AValue)
{
    FOnBeforeRestore = AValue;
    FLM->OnBeforeRestore = std::move(AValue);
}

void TLMForm::SetOnAfterRestore(TLayoutManagerNotifyEvent AValue)
{
    FOnAfterRestore = AValue;
    FLM->OnAfterRestore = std::move(AValue);
}

void TLMForm::SetOnBeforeSave(TLayoutManagerNotifyEvent AValue)
{
    FOnBeforeSave = AValue;
    FLM->OnBeforeSave = std::move(AValue);
}

void TLMForm::SetOnAfterSave(TLayoutManagerNotifyEvent AValue)
{
    FOnAfterSave = AValue;
    FLM->OnAfterSave = std::move(AValue);
}

void TLMForm::CenterTo(const QWidget *AForm)
{
    if (AForm == nullptr) {
        CenterIn(FLM->GetScreenSource().PrimaryWorkArea());
        return;
    }
    const QRect frame = frameGeometry();
    const QRect other = AForm->frameGeometry();
    move(CenteredStart(other.left(), other.width(), frame.width()), CenteredStart(other.top(), other.height(), frame.height()));
}

void TLMForm::CenterToDesktop()
{
    CenterIn(FLM->GetScreenSource().VirtualDesktop());
}

void TLMForm::CenterToMonitor(int AMonitor)
{
    const ILayoutScreenSource &screens = FLM->GetScreenSource();
    if (AMonitor < 0 || AMonitor >= screens.MonitorCount())
        CenterTo(nullptr);
    else
        CenterIn(screens.MonitorBounds(AMonitor));
}

void TLMForm::CenterIn(const QRect &AArea)
{
    const QRect frame = frameGeometry();
    const int top = CenteredStart(AArea.top(), AArea.height(), frame.height());
    move(CenteredStart(AArea.left(), AArea.width(), frame.width()), top);
}

void TLMForm::setVisible(bool visible)
{
    // Restored before Qt shows the window, so the show event sees the stored layout.
    if (visible && !isVisible() && FLC)
        RestoreLayout();
    const bool showing = visible && !isVisible();
    if (!visible)
        ReleaseMouseCapture();
    QWidget::setVisible(visible);
    if (!showing)
        return;
    FSavedForDestruction = false;
    // The window may have been created straight on another screen, which Qt does not report as a change.
    FScreenDpi = ScreenDpi();
    // No enter event comes for a window shown under the pointer, so its position decides.
    FMouseInDialog = frameGeometry().contains(QCursor::pos());
    if (!FMouseInDialog)
        CaptureMouse();
    FMonNum = FLM->GetScreenSource().MonitorNumber(*this);
}

void TLMForm::SetAcceptFiles(bool AValue)
{
    FAF = AValue;
    setAcceptDrops(AValue);
}

void TLMForm::DisplayChanged()
{
    if (FLC) {
        const TLayoutManagerControlOptions saved = FLMCO;
        FLM->SetOptions(this, FLMCO.Without(loState));
        try {
            FLM->Restore(this);
        } catch (const std::exception &error) {
            ShowException(error);
        }
        FLM->SetOptions(this, saved);
    }
    if (OnDisplayChange)
        OnDisplayChange(this);
}

void TLMForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (FAF && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TLMForm::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    if (OnDropFiles)
        OnDropFiles(this, files);
}

void TLMForm::closeEvent(QCloseEvent *event)
{
    FClosing = testAttribute(Qt::WA_DeleteOnClose);
    QWidget::closeEvent(event);
    // The form will be freed: save now, while every part of it exists and an error can still be shown.
    if (FClosing)
        SaveForDestruction(false);
}

void TLMForm::moveEvent(QMoveEvent *event)
{
    MovingOrSizing();
    QWidget::moveEvent(event);
}

void TLMForm::resizeEvent(QResizeEvent *event)
{
    MovingOrSizing();
    QWidget::resizeEvent(event);
}

void TLMForm::enterEvent(QEnterEvent *event)
{
    PointerEntered();
    TForm::enterEvent(event);
}

void TLMForm::leaveEvent(QEvent *event)
{
    if (!frameGeometry().contains(QCursor::pos())) {
        CaptureMouse();
        FMouseInDialog = false;
    }
    TForm::leaveEvent(event);
}

void TLMForm::mouseMoveEvent(QMouseEvent *event)
{
    // While the form holds the mouse, every move comes here: one inside means the pointer is back, also where
    // the window system sent no enter event during the hold.
    if (QWidget::mouseGrabber() == this && frameGeometry().contains(event->globalPosition().toPoint()))
        PointerEntered();
    TForm::mouseMoveEvent(event);
}

void TLMForm::mousePressEvent(QMouseEvent *event)
{
    if (QWidget::mouseGrabber() == this) {
        if (frameGeometry().contains(event->globalPosition().toPoint())) {
            PointerEntered();
        } else {
            ReleaseMouseCapture();
            MouseCaptureLost();
        }
    }
    TForm::mousePressEvent(event);
}

void TLMForm::CaptureMouse()
{
    if (!OnMouseClickOutside || !isVisible() || QWidget::mouseGrabber() == this)
        return;
    FTrackingBeforeCapture = hasMouseTracking();
    setMouseTracking(true);
    grabMouse();
}

void TLMForm::ReleaseMouseCapture()
{
    if (QWidget::mouseGrabber() != this)
        return;
    releaseMouse();
    setMouseTracking(FTrackingBeforeCapture);
}

void TLMForm::PointerEntered()
{
    FMouseInDialog = true;
    ReleaseMouseCapture();
}

void TLMForm::MouseCaptureLost()
{
    if (!FMouseInDialog && OnMouseClickOutside)
        OnMouseClickOutside(this);
}

void TLMForm::MovingOrSizing()
{
    if (!isVisible())
        return;
    FSavedForDestruction = false;
    FMoveQuiet.start();
    const int monitor = FLM->GetScreenSource().MonitorNumber(*this);
    if (monitor == FMonNum)
        return;
    const int old = FMonNum;
    FMonNum = monitor;
    if (OnMonitorChanged)
        OnMonitorChanged(this, old, monitor);
}

void TLMForm::SaveLayout()
{
    try {
        FLM->Save();
    } catch (const std::exception &error) {
        ShowException(error);
    }
}

void TLMForm::RestoreLayout()
{
    try {
        FLM->Restore();
    } catch (const std::exception &error) {
        ShowException(error);
    }
}
