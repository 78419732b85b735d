#pragma once

#include <QWidget>

// A top-level window publishing its window state and form style under the names the stored layout uses.
class TForm : public QWidget {
    Q_OBJECT
    // 0 normal, 1 minimized, 2 maximized.
    Q_PROPERTY(int WindowState READ GetWindowState WRITE SetWindowState)
    // 0 normal, 3 stay on top.
    Q_PROPERTY(int FormStyle READ GetFormStyle WRITE SetFormStyle)

public:
    explicit TForm(QWidget *parent = nullptr);

    int GetWindowState() const;
    void SetWindowState(int AValue);
    int GetFormStyle() const;
    void SetFormStyle(int AValue);
};
