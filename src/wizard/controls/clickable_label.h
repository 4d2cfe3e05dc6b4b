#pragma once

#include "wizard/controls/click_tracker.h"
#include "wizard/wizard_settings.h"

#include <QLabel>

namespace vintora {

// A label that reports a click, with its text colour as a colour value.
// Used for the link-like captions and for the images that act as buttons
// (set a pixmap and no text). It takes the focus from Tab only (a mouse
// click leaves the focus where it was), and while focused Enter or Space
// clicks it and a focus frame shows around its text or picture.
// The wizard's button pictures take no focus at all (Qt::NoFocus).
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);
    ClickableLabel(const QString &text, QWidget *parent = nullptr);

    ColorValue foreColor() const;
    void setForeColor(ColorValue color);

signals:
    void clicked();
    void foreColorChanged();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ClickTracker m_click;
};

} // namespace vintora
