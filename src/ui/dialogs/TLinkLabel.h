#pragma once

#include <QLabel>

// A link shown as text: grey, underlined, monospaced, with a hand cursor. Clicking it with the left
// button reports OnClick.
class TLinkLabel final : public QLabel {
    Q_OBJECT

public:
    explicit TLinkLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void OnClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
