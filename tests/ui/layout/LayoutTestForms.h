#pragma once

#include "ILayoutScreenSource.h"
#include "Quarl.LayoutManager.Form.h"
#include "TAction.h"
#include "TInterfaceList.h"

#include <QAction>
#include <QDropEvent>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <vector>

// Screens as a test wants them.
class TScriptedScreens final : public ILayoutScreenSource {
public:
    QSize Desktop{1920, 1080};
    int Dpi = 96;
    QRect WorkArea{0, 0, 1000, 800};
    std::vector<QRect> Monitors{{0, 0, 1000, 840}, {1000, 0, 920, 1080}};

    QRect VirtualDesktop() const override { return {QPoint(0, 0), Desktop}; }
    QRect PrimaryWorkArea() const override { return WorkArea; }
    int MonitorCount() const override { return static_cast<int>(Monitors.size()); }
    QRect MonitorBounds(int AIndex) const override { return Monitors.at(static_cast<std::size_t>(AIndex)); }
    int MonitorNumber(const QWidget &AWindow) const override
    {
        const QPoint centre = AWindow.frameGeometry().center();
        for (std::size_t index = 0; index < Monitors.size(); ++index) {
            if (Monitors[index].contains(centre))
                return static_cast<int>(index);
        }
        return 0;
    }
    int MonitorDpi(const QWidget &) const override { return Dpi; }
};

class Twnd_vx_Test : public QWidget {
    Q_OBJECT
};

// A control publishing one property of each kind the stored keys cannot take as plain values.
class TTestList : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(QAction *Source READ Source WRITE SetSource)

public:
    using QWidget::QWidget;

    QStringList Lines() const { return FLines; }
    void SetLines(const QStringList &value) { FLines = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }
    QAction *Source() const { return FSource; }
    void SetSource(QAction *value) { FSource = value; }

private:
    QStringList FLines;
    double FRatio = 0.5;
    QAction *FSource = nullptr;
};

// A layout-managed form that records what its hooks and its show event saw.
class Tfrm_vx_Managed : public TLMForm {
    Q_OBJECT

public:
    using TLMForm::TLMForm;

    std::vector<int> Hooks;
    QPoint PosAtShow;

    // Qt delivers drop events only inside a drag the window system started.
    void DeliverDrop(QDropEvent &event) { dropEvent(&event); }

protected:
    void DoBeforeWindowStateChange(int ANewState) override { Hooks.push_back(100 + ANewState); }
    void DoAfterWindowStateChange(int ANewState) override { Hooks.push_back(200 + ANewState); }
    void showEvent(QShowEvent *event) override
    {
        PosAtShow = pos();
        TLMForm::showEvent(event);
    }
};

// The main window's class name, with the components whose settings it keeps.
class Twnd_vx_Main : public TLMForm {
    Q_OBJECT

public:
    explicit Twnd_vx_Main(QWidget *parent = nullptr) : TLMForm(parent)
    {
        Tree->setObjectName("Tree");
        acPersistent->setObjectName("acPersistent");
        acCaption->setObjectName("acCaption");
        for (QAction *action : {static_cast<QAction *>(acPersistent), static_cast<QAction *>(acCaption)})
            action->setCheckable(true);
    }

    TInterfaceList *Tree = new TInterfaceList(this);
    TAction *acPersistent = new TAction(this);
    TAction *acCaption = new TAction(this);
};
