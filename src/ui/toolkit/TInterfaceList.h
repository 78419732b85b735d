#pragma once

#include <QTreeWidget>

// The interface list grid. Publishes "Tag" (non-zero: only operational interfaces are listed) and "Visible";
// Tag comes first so that its key precedes Visible in the stored section.
class TInterfaceList : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ GetTag WRITE SetTag)
    // Whether the list is meant to be shown, also while its window is hidden.
    Q_PROPERTY(bool Visible READ IsShown WRITE setVisible)

public:
    explicit TInterfaceList(QWidget *parent = nullptr);

    int GetTag() const { return FTag; }
    void SetTag(int AValue) { FTag = AValue; }
    bool IsShown() const { return !isHidden(); }

private:
    int FTag = 0;
};
