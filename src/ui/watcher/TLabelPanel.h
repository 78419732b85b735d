#pragma once

#include "TColor.h"

#include <QFrame>
#include <QStaticText>

// A label or value panel of the watcher's grid: centred text on a coloured face with a thin frame. Painted by
// itself, so a new value every tick costs one paint of a cached text layout and no layout pass of the grid (a
// label would ask the grid to lay out again for every new text). Assistive technology reads its text as the
// accessible name and its hint as the accessible description. Reports double-clicks.
class TLabelPanel final : public QFrame {
    Q_OBJECT

public:
    explicit TLabelPanel(const QString &caption, TColor face, QWidget *parent = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor face);
    void SetFontColor(TColor text);

    QString text() const { return FText.text(); }
    void setText(const QString &text);

    // The grid sizes the panels; the text never widens one.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void DblClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    TColor FColor = 0;
    QStaticText FText;
};
