#pragma once

#include <QObject>

class QWidget;

// Channel weights of the grey icon a disabled bar shows.
class TDisabledBitmapFactors final : public QObject {
    Q_OBJECT

public:
    explicit TDisabledBitmapFactors(QWidget *control, QObject *parent = nullptr);

    double RedFactor() const { return FRed; }
    double GreenFactor() const { return FGreen; }
    double BlueFactor() const { return FBlue; }
    bool Enabled() const { return FEnabled; }
    QWidget *Control() const { return FControl; }

    void SetRedFactor(double value);
    void SetGreenFactor(double value);
    void SetBlueFactor(double value);
    void SetEnabled(bool value);

    // Copies the three factors and Enabled into dest, which then reports a change.
    void AssignTo(TDisabledBitmapFactors &dest) const;

Q_SIGNALS:
    void OnChange();

private:
    void Changed();

    double FRed = 0.299;
    double FGreen = 0.587;
    double FBlue = 0.114;
    QWidget *FControl;
    bool FEnabled = true;
};
