#include "TLabelPanel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Screen readers treat the panels as the static texts they are.
QAccessibleInterface *AccessiblePanel(const QString &className, QObject *object)
{
    if (className == QLatin1String("TLabelPanel") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StaticText);
    return nullptr;
}

} // namespace

TLabelPanel::TLabelPanel(const QString &caption, TColor face, QWidget *parent) : QFrame(parent)
{
    static const bool accessible = (QAccessible::installFactory(AccessiblePanel), true);
    Q_UNUSED(accessible)
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    FText.setTextFormat(Qt::PlainText);
    FText.setPerformanceHint(QStaticText::AggressiveCaching);
    SetFontColor(clBlack);
    SetColor(face);
    setText(caption);
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

void TLabelPanel::setText(const QString &text)
{
    if (text == FText.text())
        return;
    FText.setText(text);
    setAccessibleName(text);
    update();
}

QSize TLabelPanel::sizeHint() const
{
    return {0, fontMetrics().height()};
}

QSize TLabelPanel::minimumSizeHint() const
{
    return sizeHint();
}

void TLabelPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    const QSizeF size = FText.size();
    painter.setClipRect(area);
    painter.drawStaticText(QPointF(area.x() + (area.width() - size.width()) / 2,
                                   area.y() + (area.height() - size.height()) / 2),
                           FText);
}

void TLabelPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT DblClick();
    QFrame::mouseDoubleClickEvent(event);
}
