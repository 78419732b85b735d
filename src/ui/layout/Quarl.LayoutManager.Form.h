#pragma once

#include "ILayoutManagedForm.h"
#include "Quarl.LayoutManager.Control.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QRect;

// A window that remembers its layout: restores it on every showing, saves it once a move or resize has come to
// rest and when the window is destroyed.
class TLMForm : public QWidget, public ILayoutManagedForm {
    Q_OBJECT

public:
    // Qt reports no end of a move or resize; the first pause this long after the last one stands for it.
    static constexpr int MoveQuietMilliseconds = 500;

    explicit TLMForm(QWidget *parent = nullptr);
    ~TLMForm() override;

    TLayoutManager &LayoutManager() const { return *FLM; }
    bool GetLayoutControl() const { return FLC; }
    void SetLayoutControl(bool AValue);
    TLayoutManagerControlOptions GetLayoutOptions() const { return FLMCO; }
    void SetLayoutOptions(TLayoutManagerControlOptions AValue);
    bool GetLayoutReadOnly() const override { return FRO; }
    void SetLayoutReadOnly(bool AValue) override;
    bool IsClosing() const override { return FClosing; }

    // 0 normal, 1 minimized, 2 maximized; a change runs the two hooks around Qt's own.
    int GetWindowState() const;
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

    void setVisible(bool visible) override;

protected:
    virtual void DoBeforeWindowStateChange(int ANewState);
    virtual void DoAfterWindowStateChange(int ANewState);

    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CenterIn(const QRect &AArea);
    // Errors of the storage reach the log; the form stays usable.
    void SaveLayout();
    void RestoreLayout();

    std::unique_ptr<TLayoutManager> FLM;
    bool FLC = false;
    TLayoutManagerNotifyEvent FOnAfterRestore;
    TLayoutManagerNotifyEvent FOnAfterSave;
    TLayoutManagerNotifyEvent FOnBeforeRestore;
    TLayoutManagerNotifyEvent FOnBeforeSave;
    TLayoutManagerControlOptions FLMCO;
    bool FRO = false;
    bool FClosing = false;
    QTimer FMoveQuiet;
};
