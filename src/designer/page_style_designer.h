#pragma once

#include "wizard/captures.h"

#include <QObject>

#include <array>
#include <functional>

class QWidget;

namespace vintora {

class ClickableLabel;
class Dialogs;
class PictureBox;

// The Page style page's designer. The six labels pgpref(0..5) each edit one
// value that lives in a widget: the text colours of pgpref(0..3), the back
// colour of picPreview (the page colour), and the background picture,
// whose path is picPreview's tag and whose tiled rendering is its picture.
// Nothing else is stored; the page switch reads the widgets through
// controls().
class PageStyleDesigner : public QObject
{
    Q_OBJECT

public:
    // Shows a short line on the page about a picture that could not be
    // used; an empty text clears the line.
    using Report = std::function<void(const QString &)>;

    PageStyleDesigner(QWidget *owner, Dialogs &dialogs,
                      const std::array<ClickableLabel *, 6> &pgpref, PictureBox *picPreview,
                      Report report, QObject *parent = nullptr);

    // pgpref(index) was clicked: 0..3 choose that label's colour, 4 the page
    // colour, 5 the background picture; any other index does nothing.
    void click(int index);

    // What CapturePageStyle reads.
    PageStyleControls controls() const;

private:
    void chooseLabelColor(int index);
    void choosePageColor();
    void chooseBackground();
    void report(const QString &line) const;

    QWidget *m_owner;
    Dialogs &m_dialogs;
    std::array<ClickableLabel *, 6> m_pgpref;
    PictureBox *m_preview;
    Report m_report;
};

} // namespace vintora
