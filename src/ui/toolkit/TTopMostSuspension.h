#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

// While it lives, the visible always-on-top windows of the application are normal windows, so a
// modal dialog opened meanwhile cannot end up behind one of them. Its destructor puts them on top
// again. Neither step moves, resizes or hides those windows for good.
class TTopMostSuspension final {
public:
    TTopMostSuspension();
    ~TTopMostSuspension();

    TTopMostSuspension(const TTopMostSuspension &) = delete;
    TTopMostSuspension &operator=(const TTopMostSuspension &) = delete;

private:
    // A window deleted meanwhile becomes null and is skipped.
    QVector<QPointer<QWidget>> FSuspended;
};
