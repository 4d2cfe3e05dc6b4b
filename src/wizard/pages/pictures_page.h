#pragma once

#include "wizard/pages/wizard_page.h"

class QLabel;
class QListView;

namespace vintora {

class ClickableLabel;
class Dialogs;
class PictureList;

// Page 5: the list of pictures the page will show, with "Select a folder"
// and "Select files" to add to it, and the number of entries it holds under
// it; files and folders can be dropped on it, and a double click or Delete
// removes an entry.
class PicturesPage : public WizardPage
{
    Q_OBJECT

public:
    PicturesPage(QWidget *window, Dialogs &dialogs);

    PictureList &pictureList() const { return *m_pictures; }
    QListView *fileList() const { return m_fileList; }
    ClickableLabel *addFolderLink() const { return m_addFolderLink; }
    QLabel *countLine() const { return m_countLine; }

protected:
    QSize visibleSize(const QWidget *text) const override;

private:
    void showCount();

    QLabel *m_listHint;
    QLabel *m_countLine;
    QListView *m_fileList;
    ClickableLabel *m_addFolderLink;
    ClickableLabel *m_addFilesLink;
    PictureList *m_pictures;
};

} // namespace vintora
