#pragma once

#include "controls/click_tracker.h"
#include "settings/wizard_settings.h"

#include <QLabel>
#include <QPointer>

namespace vintora {

class FocusFrame;

// A label that reports a click, with its text colour as a colour value.
// Used for the link-like captions and for the images that act as buttons
// (set a pixmap and no text). It takes the focus from Tab only (a mouse
// click leaves the focus where it was), and while focused Enter or Space
// clicks it (once, however long the key is held) and a focus frame shows
// around its text or picture. The wizard's button pictures take no focus at
// all (Qt::NoFocus).
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);
    ClickableLabel(const QString &text, QWidget *parent = nullptr);
    ~ClickableLabel() override;

    ColorValue foreColor() const;
    void setForeColor(ColorValue color);

signals:
    void clicked();
    void foreColorChanged();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Where the text or the picture shows, in the label's coordinates.
    QRect shownRect() const;

    ClickTracker m_click;
    QPointer<FocusFrame> m_focusFrame; // made when first focused; goes with the label
};

} // namespace vintora
