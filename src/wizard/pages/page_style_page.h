#pragma once

#include "settings/captures.h"
#include "wizard/pages/wizard_page.h"

#include <array>

namespace vintora {

class ClickableLabel;
class Dialogs;
class PageStyleDesigner;
class PictureBox;

// Page 1: the preview of the page's colours and background picture, with
// the designer that edits them.
class PageStylePage : public WizardPage
{
    Q_OBJECT

public:
    PageStylePage(QWidget *window, Dialogs &dialogs);

    PictureBox *preview() const { return m_preview; }
    // Text, HyperLink, Active HyperLink and Visited HyperLink, each in the
    // colour it stands for.
    const std::array<ClickableLabel *, 4> &colorLabels() const { return m_colorLabels; }
    ClickableLabel *pageColorLink() const { return m_pageColorLink; }
    ClickableLabel *backgroundLink() const { return m_backgroundLink; }

    // What CapturePageStyle reads.
    PageStyleControls controls() const;

    void followWindowFont(double pointSize) override;

protected:
    bool captureControls(WizardSettings &settings) override;

private:
    // Gives the preview and the labels the values they show, in words.
    void describeValues();

    PictureBox *m_preview;
    std::array<ClickableLabel *, 4> m_colorLabels{};
    ClickableLabel *m_pageColorLink;
    ClickableLabel *m_backgroundLink;
    PageStyleDesigner *m_designer;
};

} // namespace vintora
