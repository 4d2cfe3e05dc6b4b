#pragma once

#include "wizard/controls/click_tracker.h"
#include "wizard/wizard_settings.h"

#include <QLabel>

namespace vintora {

// A label that reports a mouse click, with its text colour as a colour
// value. Used for the link-like captions and for the images that act as
// buttons (set a pixmap and no text).
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

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ClickTracker m_click;
};

} // namespace vintora
