#include "TLinkLabel.h"

#include <QFontDatabase>
#include <QMouseEvent>

TLinkLabel::TLinkLabel(QWidget *parent) : QLabel(parent)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setUnderline(true);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(128, 128, 128));
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken, so that a press on the link never drags whatever lies under it.
    event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT OnClick();
}
