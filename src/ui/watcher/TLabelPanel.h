#pragma once

#include <QLabel>

#include <cstdint>

// 0x00BBGGRR, as the plot and the caption bar store colours.
using TColor = std::uint32_t;

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

Q_SIGNALS:
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    TColor FColor = 0;
};
