#include "TGradientBarActionLink.h"

#include "Quarl.Control.GradientBar.h"
#include "TImageList.h"

#include <QAction>

TGradientBarActionLink::TGradientBarActionLink(TGradientBar *client, QAction *action)
    : QObject(client), FClient(client), FAction(action)
{
    connect(action, &QAction::changed, this, &TGradientBarActionLink::ActionChanged);
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

void TGradientBarActionLink::ActionChanged()
{
    if (!FAction)
        return;
    FClient->SetImageIndex(ActionImageIndex(*FAction));
    FClient->SetGroupIndex(ActionGroupIndex(*FAction));
    FClient->SetSelected(FAction->isChecked());
}
