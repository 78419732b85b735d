#include "TDisabledBitmapFactors.h"

TDisabledBitmapFactors::TDisabledBitmapFactors(QWidget *control, QObject *parent)
    : QObject(parent), FControl(control)
{
}

void TDisabledBitmapFactors::SetRedFactor(double value)
{
    FRed = value;
    Changed();
}

void TDisabledBitmapFactors::SetGreenFactor(double value)
{
    FGreen = value;
    Changed();
}

void TDisabledBitmapFactors::SetBlueFactor(double value)
{
    FBlue = value;
    Changed();
}

void TDisabledBitmapFactors::SetEnabled(bool value)
{
    FEnabled = value;
    Changed();
}

void TDisabledBitmapFactors::AssignTo(TDisabledBitmapFactors &dest) const
{
    dest.FRed = FRed;
    dest.FGreen = FGreen;
    dest.FBlue = FBlue;
    dest.FEnabled = FEnabled;
    dest.Changed();
}

void TDisabledBitmapFactors::Changed()
{
    Q_EMIT OnChange();
}
