#include "wizard/pages/layout_style_page.h"

#include "base/twips.h"
#include "controls/clickable_label.h"
#include "controls/option_group.h"
#include "controls/wrapping_check_box.h"
#include "settings/start_values.h"
#include "wizard/pages/modern_options_dialog.h"
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
    // Under the layout options, shown while the modern page is chosen.
    m_optionsLink = linkLabel(this, "labModernOptions", 0, QStringLiteral("Modern page options"),
                              twipsRect(480, 3990, 3255, 225));
    m_optionsLink->setObjectName(QStringLiteral("labModernOptions"));
    m_optionsLink->setAccessibleDescription(
            QStringLiteral("Location, albums, order and zips of the modern page"));
    m_optionsLink->setVisible(kStartValues.modernPage);
    connect(m_modernCheck, &QCheckBox::toggled, m_optionsLink, &QWidget::setVisible);
    connect(m_optionsLink, &ClickableLabel::clicked, this, &LayoutStylePage::showOptions);
    m_options.keepLocation = kStartValues.keepLocation;
    m_options.makeAlbums = kStartValues.makeAlbums;
    m_options.pictureOrder = QLatin1String(kStartValues.pictureOrder);
    m_options.makeZips = kStartValues.makeZips;
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
    settings.keepLocation = toFlag(m_options.keepLocation);
    settings.makeAlbums = toFlag(m_options.makeAlbums);
    settings.pictureOrder = m_options.pictureOrder;
    settings.makeZips = toFlag(m_options.makeZips);
    return true;
}

ModernOptionsDialog *LayoutStylePage::showOptions()
{
    auto *dialog = new ModernOptionsDialog(m_options, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { m_options = dialog->options(); });
    dialog->open();
    return dialog;
}

QSize LayoutStylePage::visibleSize(const QWidget *text) const
{
    QSize size = text->size();
    if (text == m_genericText)
        size.setHeight(m_modernCheck->y() - text->y());
    return size;
}

} // namespace vintora
