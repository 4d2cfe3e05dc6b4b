#pragma once

#include <QWidget>

namespace vintora {

// A frame in the selection colour around what another widget shows (a
// link's text or picture), a little away from it. It lies on a widget of
// its own over the other widget's parent, so that it may reach past that
// widget's edges: text set flush against an edge keeps its last letter
// clear of the frame. Clicks go through it.
class FocusFrame : public QWidget
{
    Q_OBJECT

public:
    explicit FocusFrame(QWidget *target);

    // Shows the frame around shown, given in the target's coordinates.
    void showAround(const QRect &shown);

    // The space left between what shows and the frame's line, in pixels.
    static constexpr int kGap = 1;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_target;
};

} // namespace vintora
