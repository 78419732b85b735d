#include "TGradientBarActionLink.h"

#include "Quarl.Control.GradientBar.h"
#include "TImageList.h"

#include <QAction>
#include <QDynamicPropertyChangeEvent>

TGradientBarActionLink::TGradientBarActionLink(TGradientBar *client, QAction *action)
    : QObject(client), FClient(client), FAction(action)
{
    connect(action, &QAction::changed, this, &TGradientBarActionLink::ActionChanged);
    connect(client, &TGradientBar::Click, this, [this] {
        if (FAction)
            FAction->trigger();
    });
    action->installEventFilter(this);
    ActionChanged();
}

int TGradientBarActionLink::ActionImageIndex(const QAction &action)
{
    const QVariant value = action.property("ImageIndex");
    return value.isValid() ? value.toInt() : -1;
}

int TGradientBarActionLink::ActionGroupIndex(const QAction &action)
{
    return action.property("GroupIndex").toInt();
}

bool TGradientBarActionLink::IsCheckedLinked() const
{
    return FAction && FClient->GroupIndex() != 0 && FClient->Selected() == FAction->isChecked();
}

bool TGradientBarActionLink::IsImageIndexLinked() const
{
    return FAction && FClient->ImageIndex() == ActionImageIndex(*FAction);
}

bool TGradientBarActionLink::IsGroupIndexLinked() const
{
    return FAction && FClient->GroupIndex() == ActionGroupIndex(*FAction);
}

bool TGradientBarActionLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FAction && event->type() == QEvent::DynamicPropertyChange) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName();
        if (name == "ImageIndex" || name == "GroupIndex")
            ActionChanged();
    }
    return QObject::eventFilter(watched, event);
}

void TGradientBarActionLink::ActionChanged()
{
    if (!FAction)
        return;
    FClient->SetCaption(FAction->text());
    FClient->SetImageIndex(ActionImageIndex(*FAction));
    FClient->SetGroupIndex(ActionGroupIndex(*FAction));
    FClient->setEnabled(FAction->isEnabled());
    // Only a difference is passed on: setting Selected again would toggle a lone
    // group member in button mode off, and a disabled bar stays unselected.
    if (FClient->isEnabled() && FClient->Selected() != FAction->isChecked())
        FClient->SetSelected(FAction->isChecked());
}
