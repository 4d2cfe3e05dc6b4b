#include "wizard/pages/packaging_page.h"

#include "base/twips.h"
#include "controls/option_group.h"
#include "settings/start_values.h"
#include "wizard/pages/page_widgets.h"

namespace vintora {

PackagingPage::PackagingPage(QWidget *window) : WizardPage(kPackagingPage, window)
{
    staticText(this, 20,
               QStringLiteral("Almost done!  Now we need to decide whether or not to \"package "
                              "up\" the pictures."),
               twipsRect(120, 120, 3735, 615));
    image(this, catalogueName("Image3", 0), "packaging_copy", twipsPoint(240, 840))
            ->setAccessibleName(QStringLiteral(
                    "Pictures from several folders copied into one folder beside the page"));
    staticText(this, 18,
               QStringLiteral("Copying the files you selected to your output folder is a good "
                              "idea if this page will be used on the web somewhere.  Then you'll "
                              "just need to upload the whole folder to your server."),
               twipsRect(1320, 840, 2415, 1455));
    image(this, catalogueName("Image3", 1), "packaging_nocopy", twipsPoint(240, 2160))
            ->setAccessibleName(
                    QStringLiteral("Several folders referred to by one page, nothing copied"));
    staticText(this, 21,
               QStringLiteral("If the page will be used on your local machine as an index for "
                              "pictures, you probably don't want the extra copies hanging "
                              "around."),
               twipsRect(1320, 2280, 2415, 975));
    m_copyOption = option(this, "optCopy", 0, QStringLiteral("Copy the picture files"),
                          twipsRect(600, 3360, 3375, 255), kStartValues.copyPictures);
    m_noCopyOption = option(this, "optCopy", 1, QStringLiteral("Don't copy any files"),
                            twipsRect(600, 3720, 3375, 255), !kStartValues.copyPictures);
    tabToChosenOption({m_copyOption, m_noCopyOption});
}

PackagingControls PackagingPage::controls() const
{
    return {m_copyOption->isChecked()};
}

bool PackagingPage::captureControls(WizardSettings &settings)
{
    CapturePackaging(settings, controls());
    return true;
}

} // namespace vintora
