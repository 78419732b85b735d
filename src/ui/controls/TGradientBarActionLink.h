#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class TGradientBar;

// Ties a bar to an action: the bar takes the action's text as caption, its
// enabled state, its image index and group index (the action's integer
// properties "ImageIndex" and "GroupIndex") and follows its checked state with
// Selected, now and whenever the action changes; a click on the bar triggers
// the action.
class TGradientBarActionLink final : public QObject {
    Q_OBJECT

public:
    // The link belongs to client.
    TGradientBarActionLink(TGradientBar *client, QAction *action);

    QAction *Action() const { return FAction; }

    bool IsCheckedLinked() const;
    bool IsImageIndexLinked() const;
    bool IsGroupIndexLinked() const;

    static int ActionImageIndex(const QAction &action);
    static int ActionGroupIndex(const QAction &action);

protected:
    // Setting "ImageIndex" or "GroupIndex" on the action does not emit changed().
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ActionChanged();

    TGradientBar *FClient;
    QPointer<QAction> FAction;
};
