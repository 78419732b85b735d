#pragma once

#include "TColor.h"

#include <QLabel>

// A label or value panel of the watcher's grid: centred text on a coloured face with a thin frame.
// Being a label, it gives assistive technology its text as the accessible name and its hint as the
// accessible description by itself. Reports double-clicks.
class TLabelPanel final : public QLabel {
    Q_OBJECT

public:
    explicit TLabelPanel(const QString &caption, TColor face, QWidget *parent = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor face);
    void SetFontColor(TColor text);

    // The grid sizes the panels. A label measures its text for these, and a new text every tick would shape it
    // once more for the layout than for the paint; the layout ignores them anyway.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    TColor FColor = 0;
};
