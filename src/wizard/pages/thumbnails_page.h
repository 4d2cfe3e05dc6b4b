#pragma once

#include "settings/captures.h"
#include "wizard/pages/wizard_page.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace vintora {

// Page 4: the thumbnails' size, uniform in pixels or a percentage of the
// page width (in each row the left box is the height, the right box the
// width), whether they have borders, and whether small thumbnail files
// are made for them.
class ThumbnailsPage : public WizardPage
{
    Q_OBJECT

public:
    explicit ThumbnailsPage(QWidget *window);

    QRadioButton *uniformSizeOption() const { return m_uniformOption; }
    QLineEdit *uniformHeightBox() const { return m_uniformHeightBox; }
    QLineEdit *uniformWidthBox() const { return m_uniformWidthBox; }
    QRadioButton *percentSizeOption() const { return m_percentOption; }
    QCheckBox *bordersCheck() const { return m_bordersCheck; }
    QCheckBox *thumbnailFilesCheck() const { return m_thumbnailFilesCheck; }

    // While the modern page is chosen, thumbnail files show ticked and
    // cannot be changed; the record keeps the user's own choice.
    void followModernPage(bool modern);

    // What CaptureThumbnails reads.
    ThumbnailControls controls() const;

protected:
    bool captureControls(WizardSettings &settings) override;

private:
    QRadioButton *m_uniformOption;
    QLineEdit *m_uniformHeightBox;
    QLineEdit *m_uniformWidthBox;
    QRadioButton *m_percentOption;
    QLineEdit *m_percentHeightBox;
    QLineEdit *m_percentWidthBox;
    QCheckBox *m_bordersCheck;
    QCheckBox *m_thumbnailFilesCheck;
    bool m_modern = false;
    bool m_ownThumbnailFiles = false; // the user's choice while the modern page is chosen
};

} // namespace vintora
