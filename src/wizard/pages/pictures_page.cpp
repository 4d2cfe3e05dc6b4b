#include "wizard/pages/pictures_page.h"

#include "base/twips.h"
#include "controls/focus_list_view.h"
#include "wizard/pages/page_widgets.h"
#include "wizard/picture_list.h"

namespace vintora {

PicturesPage::PicturesPage(QWidget *window, Dialogs &dialogs) : WizardPage(kPicturesPage, window)
{
    staticText(this, 19,
               QStringLiteral("Let's choose the pictures we'll include!  Select the files to "
                              "include in the dialog.  Open it as often as you need to include "
                              "all the files you want. Files to be included are added to the "
                              "list below. "),
               twipsRect(120, 120, 3735, 975));
    // The lines on files left out or refused cover all four lines above.
    setProblemLineHeight(975);
    m_listHint = staticText(this, 17,
                            QStringLiteral("Check or uncheck files to include or exclude them."),
                            twipsRect(120, 1080, 3735, 615));
    m_fileList = place(new FocusListView(this), QStringLiteral("lstFiles"),
                       twipsRect(120, 1440, 3735, 2175));
    m_countLine
            = place(new QLabel(this), QStringLiteral("lblCount"), twipsRect(120, 3630, 3735, 255));
    m_countLine->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_addFolderLink = linkLabel(this, "labGetFile", 0, QStringLiteral("Select a folder"),
                                twipsRect(120, 3960, 1095, 375));
    m_addFilesLink = linkLabel(this, "labGetFile", 1, QStringLiteral("Select files"),
                               twipsRect(2760, 3960, 1095, 375), Qt::AlignRight);

    m_pictures = new PictureList(window, dialogs, this);
    m_pictures->connectView(m_fileList);
    connect(m_addFolderLink, &ClickableLabel::clicked, m_pictures, &PictureList::addFolder);
    connect(m_addFilesLink, &ClickableLabel::clicked, m_pictures, &PictureList::addFiles);
    connect(m_pictures, &PictureList::reported, this, &PicturesPage::showProblem);

    QAbstractItemModel *model = m_pictures->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &PicturesPage::showCount);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &PicturesPage::showCount);
    connect(model, &QAbstractItemModel::modelReset, this, &PicturesPage::showCount);
    showCount();
}

void PicturesPage::showCount()
{
    const qsizetype count = m_pictures->count();
    const QString entries
            = count == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(count);
    m_countLine->setText(entries);
    m_fileList->setAccessibleName(QStringLiteral("Pictures to include, ") + entries);
    m_fileList->setAccessibleDescription(
            QStringLiteral("Delete removes the selected entry; files and folders dropped here "
                           "are added"));
}

QSize PicturesPage::visibleSize(const QWidget *text) const
{
    // The list lies over the lower part of the line above it.
    QSize size = text->size();
    if (text == m_listHint)
        size.setHeight(m_fileList->y() - text->y());
    return size;
}

} // namespace vintora
