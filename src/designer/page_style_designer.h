#pragma once

#include "settings/captures.h"

#include <QObject>

#include <array>
#include <functional>

class QWidget;

namespace vintora {

class ClickableLabel;
class Dialogs;
class PictureBox;

// The Page style page's designer. Six labels each edit one value that lives
// in a widget: the four colour labels on the preview (Text, HyperLink,
// Active HyperLink, Visited HyperLink) their own text colour, "Page Color"
// the back colour of the preview, and "Background Picture" the background
// picture, whose path is the preview's tag and whose tiled rendering is its
// picture. Nothing else is stored; the page switch reads the widgets through
// controls().
class PageStyleDesigner : public QObject
{
    Q_OBJECT

public:
    // Shows a short line on the page about a picture that could not be
    // used; an empty text clears the line.
    using Report = std::function<void(const QString &)>;

    struct Widgets
    {
        PictureBox *preview = nullptr;                 // picPreview
        std::array<ClickableLabel *, 4> colorLabels{}; // pgpref(0..3), in that order
        ClickableLabel *pageColorLink = nullptr;       // pgpref(4)
        ClickableLabel *backgroundLink = nullptr;      // pgpref(5)
    };

    PageStyleDesigner(QWidget *owner, Dialogs &dialogs, const Widgets &widgets, Report report,
                      QObject *parent = nullptr);

    // What CapturePageStyle reads.
    PageStyleControls controls() const;

public slots:
    // The colour dialog for one of the four colour labels.
    void chooseLabelColor(vintora::ClickableLabel *label);
    void choosePageColor();
    void chooseBackground();

private:
    void report(const QString &line) const;

    QWidget *m_owner;
    Dialogs &m_dialogs;
    Widgets m_widgets;
    Report m_report;
};

} // namespace vintora
