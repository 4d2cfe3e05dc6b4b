#pragma once

#include <QCheckBox>

namespace vintora {

// A check box whose caption wraps onto further lines within its width, for
// a caption longer than its place is wide. The box sits beside the first
// line, the lines are centred in the height, and a click anywhere on the
// caption ticks it. Screen readers hear the caption as its name.
class WrappingCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit WrappingCheckBox(const QString &text, QWidget *parent = nullptr);

    // The caption on one line where the width allows it, else wrapped in
    // the width the box has.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool hitButton(const QPoint &pos) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Places
    {
        QRect box;
        QRect caption;
    };
    // Where the box and the caption go in a widget of that size.
    Places placesFor(QSize size) const;
    QSize indicatorSize() const;
    int captionLeft() const;
    QRect captionBounds(int captionWidth) const;
};

} // namespace vintora
