#pragma once

#include <QAction>

// An action publishing its check mark as "Checked".
class TAction : public QAction {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)

public:
    using QAction::QAction;
};
