#include "wizard/pages/thumbnails_page.h"

#include "base/twips.h"
#include "controls/option_group.h"
#include "settings/number_reading.h"
#include "settings/start_values.h"
#include "wizard/pages/page_widgets.h"

#include <QCheckBox>

namespace vintora {

namespace {

CheckState checkState(Qt::CheckState state)
{
    switch (state) {
    case Qt::Unchecked:
        return CheckState::Unchecked;
    case Qt::PartiallyChecked:
        return CheckState::Grayed;
    case Qt::Checked:
        return CheckState::Checked;
    }
    return CheckState::Unchecked;
}

} // namespace

ThumbnailsPage::ThumbnailsPage(QWidget *window) : WizardPage(kThumbnailsPage, window)
{
    const StartValues &start = kStartValues;
    const auto sizeText = [&start](int box) {
        return QLatin1String(start.sizeTexts[box]);
    };
    staticText(this, 16,
               QStringLiteral("Now we specify some options for the thumbnails themselves:"),
               twipsRect(120, 120, 3735, 615));
    m_uniformOption = option(this, "optsize", 0, QStringLiteral("Uniform size:"),
                             twipsRect(360, 720, 1455, 255), start.uniformSize);
    m_uniformHeightBox = numberBox(this, "txtSize", 0, sizeText(0), twipsRect(840, 1080, 495, 285));
    staticText(this, 14, QStringLiteral("X"), twipsRect(1440, 1140, 255, 255), Qt::AlignHCenter);
    m_uniformWidthBox = numberBox(this, "txtSize", 1, sizeText(1), twipsRect(1800, 1080, 495, 285));
    staticText(this, 15, QStringLiteral("pixels"), twipsRect(2400, 1140, 615, 375));
    m_percentOption = option(this, "optsize", 1, QStringLiteral("Percentage of page width:"),
                             twipsRect(360, 1920, 2655, 255), !start.uniformSize);
    m_percentHeightBox = numberBox(this, "txtSize", 3, sizeText(3), twipsRect(840, 2400, 495, 285));
    staticText(this, 9, QStringLiteral("%  X"), twipsRect(1440, 2460, 375, 255), Qt::AlignHCenter);
    m_percentWidthBox = numberBox(this, "txtSize", 2, sizeText(2), twipsRect(1920, 2400, 495, 285));
    staticText(this, 10, QStringLiteral("%"), twipsRect(2520, 2460, 615, 375));
    m_uniformHeightBox->setAccessibleName(QStringLiteral("Height in pixels"));
    m_uniformWidthBox->setAccessibleName(QStringLiteral("Width in pixels"));
    m_percentHeightBox->setAccessibleName(QStringLiteral("Height in percent"));
    m_percentWidthBox->setAccessibleName(QStringLiteral("Width in percent"));
    // The rows read height first: the boxes say which is which.
    describeNumberBox(m_uniformHeightBox, QStringLiteral("Height of a thumbnail, in pixels"));
    describeNumberBox(m_uniformWidthBox, QStringLiteral("Width of a thumbnail, in pixels"));
    describeNumberBox(m_percentHeightBox,
                      QStringLiteral("Height of a thumbnail, in percent of the window"));
    describeNumberBox(m_percentWidthBox,
                      QStringLiteral("Width of a thumbnail, in percent of the window"));
    tabToChosenOption({m_uniformOption, m_percentOption});
    m_bordersCheck = place(new QCheckBox(QStringLiteral("Show borders on images"), this),
                           catalogueName("Check1", 0), twipsRect(360, 3240, 3255, 255));
    m_bordersCheck->setChecked(start.imageBorders);
    m_thumbnailFilesCheck = place(new QCheckBox(QStringLiteral("Make small thumbnail files"), this),
                                  catalogueName("Check1", 1), twipsRect(360, 3600, 3255, 255));
    m_thumbnailFilesCheck->setChecked(start.thumbnailFiles);
}

void ThumbnailsPage::followModernPage(bool modern)
{
    if (modern == m_modern)
        return;
    m_modern = modern;
    // The modern page always makes thumbnail files; the box shows so, and
    // shows the user's own choice again once the modern page is left.
    if (modern) {
        m_ownThumbnailFiles = m_thumbnailFilesCheck->isChecked();
        m_thumbnailFilesCheck->setChecked(true);
    } else {
        m_thumbnailFilesCheck->setChecked(m_ownThumbnailFiles);
    }
    m_thumbnailFilesCheck->setEnabled(!modern);
}

ThumbnailControls ThumbnailsPage::controls() const
{
    ThumbnailControls c;
    c.uniformChosen = m_uniformOption->isChecked();
    // In the order of their catalogue indexes, txtSize(0..3).
    c.sizeTexts = {m_uniformHeightBox->text(), m_uniformWidthBox->text(), m_percentWidthBox->text(),
                   m_percentHeightBox->text()};
    c.borders = checkState(m_bordersCheck->checkState());
    return c;
}

bool ThumbnailsPage::captureControls(WizardSettings &settings)
{
    const auto bad = CaptureThumbnails(settings, controls());
    if (!bad) {
        const bool own = m_modern ? m_ownThumbnailFiles : m_thumbnailFilesCheck->isChecked();
        settings.makeThumbnails = toFlag(own);
        return true;
    }
    // The capture names the box by its place among the size texts, which
    // controls() hands over in this order.
    const std::array boxes{m_uniformHeightBox, m_uniformWidthBox, m_percentWidthBox,
                           m_percentHeightBox};
    markBox(boxes.at(bad->index), badNumberMessage(),
            [](const QString &text) { return readNumber(text).has_value(); });
    return false;
}

} // namespace vintora
