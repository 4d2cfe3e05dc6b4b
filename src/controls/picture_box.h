#pragma once

#include "controls/click_tracker.h"
#include "settings/wizard_settings.h"

#include <QFrame>
#include <QPixmap>

namespace vintora {

// A box with a single border that shows a picture at its natural size from
// its top-left corner, clipped by the box, over its back colour. It keeps a
// free tag text (the designers store a picture's path there) and can size
// itself to its picture. Given a focus policy, it acts like a link from the
// keyboard: Enter or Space on it clicks it, and it shows a focus frame.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    ColorValue backColor() const { return m_backColor; }
    void setBackColor(ColorValue color);

    QString tag() const { return m_tag; }
    void setTag(const QString &tag);

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture); // a null pixmap clears it

    // When set, the box takes the picture's size plus its border.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

signals:
    void clicked();
    // The back colour, the tag or the picture changed.
    void changed();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitToPicture();

    ColorValue m_backColor = 0xFFFFFF;
    QString m_tag;
    QPixmap m_picture;
    bool m_autoSize = false;
    ClickTracker m_click;
};

} // namespace vintora
