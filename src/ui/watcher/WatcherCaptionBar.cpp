#include "WatcherCaptionBar.h"

#include "Quarl.Control.GradientBar.h"
#include "WatcherHeaderPreset.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

TWatcherCaptionBar CreateWatcherCaptionBar(TImageList *images, QWidget *parent)
{
    TWatcherCaptionBar made;
    made.Bar = new TGradientBar(parent);
    made.Widget = made.Bar;
    made.Bar->setObjectName(QStringLiteral("Header"));
    ConfigureWatcherHeader(*made.Bar, images);

    made.Units = new QComboBox(made.Bar);
    made.Units->setObjectName(QStringLiteral("cbUnits"));
    made.Units->addItems({QStringLiteral("传输"), QStringLiteral("速度")});
    made.Units->setCurrentIndex(0);

    made.Props = new QPushButton(QStringLiteral("属性"), made.Bar);
    made.Props->setObjectName(QStringLiteral("bProps"));
    made.Props->setCursor(Qt::PointingHandCursor);

    auto *row = new QHBoxLayout(made.Bar);
    row->setContentsMargins(0, 3, 3, 3);
    row->setSpacing(3);
    row->addStretch(1);
    row->addWidget(made.Units);
    row->addWidget(made.Props);
    return made;
}
