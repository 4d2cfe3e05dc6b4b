#include "wizard/pages/page_style_page.h"

#include "base/twips.h"
#include "controls/picture_box.h"
#include "designer/page_style_designer.h"
#include "settings/start_values.h"
#include "wizard/pages/accessible_values.h"
#include "wizard/pages/page_widgets.h"
#include "wizard/pages/text_fitting.h"

namespace vintora {

namespace {

// The colour labels on the preview are set 1.5 pt larger than the window's
// texts (9.75 pt beside 8.25 pt).
constexpr double kColorLabelExtraSize = 1.5;

} // namespace

PageStylePage::PageStylePage(QWidget *window, Dialogs &dialogs) : WizardPage(kPageStylePage, window)
{
    const StartValues &start = kStartValues;
    staticText(this, 8,
               QStringLiteral("Let's customize the thumbnails page.  Click on the items below to "
                              "change settings.  (This rendering is not exact)."),
               twipsRect(120, 120, 3735, 735));
    image(this, QStringLiteral("Image2"), "browser_window", twipsPoint(240, 840))
            ->setAccessibleName(QStringLiteral("An empty browser window"));
    m_preview = place(new PictureBox(this), QStringLiteral("picPreview"),
                      twipsRect(270, 1320, 3255, 2415));
    m_preview->setBackColor(start.pageColor);

    const char *captions[] = {"Text", "HyperLink", "Active HyperLink", "Visited HyperLink"};
    const int tops[] = {480, 840, 1200, 1560};
    for (std::size_t i = 0; i < m_colorLabels.size(); ++i) {
        auto *label = place(new ClickableLabel(QLatin1String(captions[i]), m_preview),
                            catalogueName("pgpref", int(i)), twipsRect(360, tops[i], 2415, 375));
        QFont font = label->font();
        font.setBold(true);
        font.setPointSizeF(kLargestTextSize + kColorLabelExtraSize);
        label->setFont(font);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setForeColor(start.labelColors[i]);
        m_colorLabels[i] = label;
    }
    m_backgroundLink = linkLabel(this, "pgpref", 5, QStringLiteral("Background Picture"),
                                 twipsRect(120, 3960, 1935, 255));
    m_pageColorLink = linkLabel(this, "pgpref", 4, QStringLiteral("Page Color"),
                                twipsRect(2640, 3960, 1215, 255), Qt::AlignRight);

    m_designer = new PageStyleDesigner(
            window, dialogs, {m_preview, m_colorLabels, m_pageColorLink, m_backgroundLink},
            [this](const QString &line) { showProblem(line); }, this);

    describeValues();
    connect(m_preview, &PictureBox::changed, this, &PageStylePage::describeValues);
    for (ClickableLabel *label : m_colorLabels)
        connect(label, &ClickableLabel::foreColorChanged, this, &PageStylePage::describeValues);
}

void PageStylePage::describeValues()
{
    const char *colors[]
            = {"Text colour", "Link colour", "Active link colour", "Visited link colour"};
    for (std::size_t i = 0; i < m_colorLabels.size(); ++i)
        m_colorLabels[i]->setAccessibleDescription(
                spokenColor(QLatin1String(colors[i]), m_colorLabels[i]->foreColor()));
    const QString pageColor = spokenColor(QStringLiteral("Page colour"), m_preview->backColor());
    const QString background
            = spokenPicture(QStringLiteral("Background picture"), m_preview->tag());
    m_preview->setAccessibleName(pageColor);
    m_preview->setAccessibleDescription(background);
    m_pageColorLink->setAccessibleDescription(pageColor);
    m_backgroundLink->setAccessibleDescription(background);
}

PageStyleControls PageStylePage::controls() const
{
    return m_designer->controls();
}

bool PageStylePage::captureControls(WizardSettings &settings)
{
    CapturePageStyle(settings, controls());
    return true;
}

void PageStylePage::followWindowFont(double pointSize)
{
    for (ClickableLabel *label : m_colorLabels)
        setPointSize(label, pointSize + kColorLabelExtraSize);
}

} // namespace vintora
