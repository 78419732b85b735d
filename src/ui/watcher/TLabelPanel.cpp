#include "TLabelPanel.h"

#include "TColor.h"

#include <QMouseEvent>

TLabelPanel::TLabelPanel(const QString &caption, TColor face, QWidget *parent) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    // The grid gives each panel its size; a longer text must not widen the panel.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    SetFontColor(clBlack);
    SetColor(face);
}

void TLabelPanel::SetColor(TColor face)
{
    FColor = face;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(face));
    setPalette(colours);
}

void TLabelPanel::SetFontColor(TColor text)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ToQColor(text));
    setPalette(colours);
}

QSize TLabelPanel::sizeHint() const
{
    return {0, fontMetrics().height()};
}

QSize TLabelPanel::minimumSizeHint() const
{
    return sizeHint();
}

void TLabelPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT DblClick();
    QLabel::mouseDoubleClickEvent(event);
}
