#include "Quarl.LayoutManager.Form.h"

#include "FormWindowState.h"
#include "ILayoutScreenSource.h"

#include <QCloseEvent>
#include <QRect>

#include <exception>

namespace {

using enum TLayoutManagerControlOption;

// Division truncates towards zero, so a frame 3 pixels wider than the area moves by -1, not -2.
int CenteredStart(int areaStart, int areaLength, int length)
{
    return areaStart + (areaLength - length) / 2;
}

} // namespace

TLMForm::TLMForm(QWidget *parent)
    : QWidget(parent), FLM(std::make_unique<TLayoutManager>()), FLMCO{loPosition, loSize, loState, loStyle}
{
    FLM->SetOwner(this);
    FMoveQuiet.setSingleShot(true);
    FMoveQuiet.setInterval(MoveQuietMilliseconds);
    connect(&FMoveQuiet, &QTimer::timeout, this, [this] {
        if (FLC)
            SaveLayout();
    });
    CenterTo(nullptr);
}

TLMForm::~TLMForm()
{
    FClosing = true;
    FMoveQuiet.stop();
    if (FLC)
        SaveLayout();
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

int TLMForm::GetWindowState() const
{
    return FormWindowState(*this);
}

void TLMForm::SetWindowState(int AValue)
{
    if (AValue == GetWindowState())
        return;
    DoBeforeWindowStateChange(AValue);
    ApplyFormWindowState(*this, AValue);
    DoAfterWindowStateChange(AValue);
}

void TLMForm::DoBeforeWindowStateChange(int) {}

void TLMForm::DoAfterWindowStateChange(int) {}

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
    QWidget::setVisible(visible);
}

void TLMForm::closeEvent(QCloseEvent *event)
{
    FClosing = testAttribute(Qt::WA_DeleteOnClose);
    QWidget::closeEvent(event);
}

void TLMForm::moveEvent(QMoveEvent *event)
{
    if (isVisible())
        FMoveQuiet.start();
    QWidget::moveEvent(event);
}

void TLMForm::resizeEvent(QResizeEvent *event)
{
    if (isVisible())
        FMoveQuiet.start();
    QWidget::resizeEvent(event);
}

void TLMForm::SaveLayout()
{
    try {
        FLM->Save();
    } catch (const std::exception &error) {
        qWarning("%s", error.what());
    }
}

void TLMForm::RestoreLayout()
{
    try {
        FLM->Restore();
    } catch (const std::exception &error) {
        qWarning("%s", error.what());
    }
}
