#pragma once

#include "settings/captures.h"
#include "wizard/pages/wizard_page.h"

class QRadioButton;

namespace vintora {

// Page 6: whether the pictures are copied next to the page.
class PackagingPage : public WizardPage
{
    Q_OBJECT

public:
    explicit PackagingPage(QWidget *window);

    QRadioButton *noCopyOption() const { return m_noCopyOption; }

    // What CapturePackaging reads.
    PackagingControls controls() const;

protected:
    bool captureControls(WizardSettings &settings) override;

private:
    QRadioButton *m_copyOption;
    QRadioButton *m_noCopyOption;
};

} // namespace vintora
