#pragma once

#include "ILayoutScreenSource.h"

#include <QAction>
#include <QSize>
#include <QStringList>
#include <QWidget>

// Screens as a test wants them.
class TScriptedScreens final : public ILayoutScreenSource {
public:
    QSize Desktop{1920, 1080};
    int Dpi = 96;

    QSize VirtualDesktopSize() const override { return Desktop; }
    int MonitorDpi(const QWidget &) const override { return Dpi; }
};

class Twnd_vx_Test : public QWidget {
    Q_OBJECT
};

// A list control publishing the names its stored section uses.
class TTestList : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ IsShown WRITE setVisible)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(QAction *Source READ Source WRITE SetSource)

public:
    using QWidget::QWidget;

    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    bool IsShown() const { return !isHidden(); }
    QStringList Lines() const { return FLines; }
    void SetLines(const QStringList &value) { FLines = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }
    QAction *Source() const { return FSource; }
    void SetSource(QAction *value) { FSource = value; }

private:
    int FTag = 0;
    QStringList FLines;
    double FRatio = 0.5;
    QAction *FSource = nullptr;
};

class TTestAction : public QAction {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)

public:
    using QAction::QAction;
};
