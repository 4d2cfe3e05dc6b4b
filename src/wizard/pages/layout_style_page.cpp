#include "wizard/pages/layout_style_page.h"

#include "base/twips.h"
#include "controls/option_group.h"
#include "controls/wrapping_check_box.h"
#include "settings/start_values.h"
#include "wizard/pages/page_widgets.h"

namespace vintora {

LayoutStylePage::LayoutStylePage(QWidget *window) : WizardPage(kLayoutStylePage, window)
{
    staticText(this, 5,
               QStringLiteral("Let's look at the style of page we're going to be creating."),
               twipsRect(120, 120, 3735, 975));
    image(this, catalogueName("Image1", 0), "layout_table", twipsPoint(120, 720))
            ->setAccessibleName(QStringLiteral("Thumbnails in a regular grid in a browser window"));
    staticText(this, 4,
               QStringLiteral("A table-based layout will keep your pictures neatly aligned and "
                              "offers more formatting options, but you have to specify a number "
                              "of columns in advance."),
               twipsRect(1200, 720, 2655, 1215));
    image(this, catalogueName("Image1", 1), "layout_generic", twipsPoint(120, 1920))
            ->setAccessibleName(QStringLiteral("Thumbnails flowing loosely in a browser window"));
    m_genericText = staticText(
            this, 3,
            QStringLiteral("A generic layout will simply add your thumbnails to a page.  They "
                           "won't be neatly aligned, but can flow to fill the page more "
                           "completely."),
            twipsRect(1200, 1920, 2655, 1095));
    // Below the pictures and their texts, above the layout options: the
    // one free place wide and tall enough for its caption on two lines. It
    // lies over the empty foot of the text above it.
    m_modernCheck = place(new WrappingCheckBox(QStringLiteral("Make a modern page for phones and "
                                                              "today's browsers"),
                                               this),
                          QStringLiteral("chkModern"), twipsRect(480, 2910, 3375, 435));
    m_modernCheck->setChecked(kStartValues.modernPage);
    m_tablesOption = option(this, "optStyle", 0, QStringLiteral("I want tables"),
                            twipsRect(480, 3360, 3255, 255), kStartValues.tables);
    m_genericOption = option(this, "optStyle", 1, QStringLiteral("No tables, just the pix"),
                             twipsRect(480, 3720, 3255, 255), !kStartValues.tables);
    tabToChosenOption({m_tablesOption, m_genericOption});
}

bool LayoutStylePage::leaveForward(WizardSettings &settings)
{
    settings.layoutStyle
            = QLatin1String(m_tablesOption->isChecked() ? kLayoutTable : kLayoutGeneric);
    settings.modernPage = toFlag(m_modernCheck->isChecked());
    // The modern page's options, as they start.
    settings.keepLocation = toFlag(kStartValues.keepLocation);
    settings.makeAlbums = toFlag(kStartValues.makeAlbums);
    settings.pictureOrder = QLatin1String(kStartValues.pictureOrder);
    settings.makeZips = toFlag(kStartValues.makeZips);
    return true;
}

QSize LayoutStylePage::visibleSize(const QWidget *text) const
{
    QSize size = text->size();
    if (text == m_genericText)
        size.setHeight(m_modernCheck->y() - text->y());
    return size;
}

} // namespace vintora
