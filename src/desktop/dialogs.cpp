#include "desktop/dialogs.h"

#include "desktop/folder_chooser.h"
#include "desktop/folder_dialog.h"
#include "desktop/recent_folders.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

namespace vintora {

namespace {

RecentFolders::Dialog folderDialog(const QString &title)
{
    return title == QLatin1String(kOutputFolderTitle) ? RecentFolders::Dialog::OutputFolder
                                                      : RecentFolders::Dialog::PictureFolder;
}

// The folder that holds a chosen file.
QString folderOf(const QString &file)
{
    return QFileInfo(file).absolutePath();
}

// Gives the keyboard back to the owner's window once a dialog has closed.
// Window managers do so themselves; without one (or with one that does not)
// the window would take keys but not its shortcuts, Enter and Alt+arrows.
class FocusBack
{
public:
    explicit FocusBack(QWidget *owner) : m_window(owner ? owner->window() : nullptr) {}
    ~FocusBack()
    {
        if (m_window && m_window->isVisible())
            m_window->activateWindow();
    }
    FocusBack(const FocusBack &) = delete;
    FocusBack &operator=(const FocusBack &) = delete;

private:
    QPointer<QWidget> m_window;
};

} // namespace

QStringList Dialogs::openFiles(QWidget *owner, const QString &filter)
{
    const QString file = openFile(owner, filter);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString QtDialogs::chooseFolder(QWidget *owner, const QString &title)
{
    const FocusBack focusBack(owner);
    RecentFolders recent;
    // The output folder may be one that does not exist yet: it is made.
    FolderDialog dialog(owner, title, recent.folderFor(folderDialog(title)),
                        folderDialog(title) == RecentFolders::Dialog::OutputFolder);
    dialog.exec();
    const QString folder = dialog.chosenFolder();
    recent.remember(folderDialog(title), folder);
    return QDir::toNativeSeparators(folder);
}

QString QtDialogs::openFile(QWidget *owner, const QString &filter)
{
    const FocusBack focusBack(owner);
    RecentFolders recent;
    const QString file = QFileDialog::getOpenFileName(
            owner, QString(), recent.folderFor(RecentFolders::Dialog::PictureFiles), filter);
    if (!file.isEmpty())
        recent.remember(RecentFolders::Dialog::PictureFiles, folderOf(file));
    return QDir::toNativeSeparators(file);
}

QStringList QtDialogs::openFiles(QWidget *owner, const QString &filter)
{
    const FocusBack focusBack(owner);
    RecentFolders recent;
    QStringList files = QFileDialog::getOpenFileNames(
            owner, QString(), recent.folderFor(RecentFolders::Dialog::PictureFiles), filter);
    if (!files.isEmpty())
        recent.remember(RecentFolders::Dialog::PictureFiles, folderOf(files.first()));
    for (QString &file : files)
        file = QDir::toNativeSeparators(file);
    return files;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget *owner, const QColor &initial)
{
    const FocusBack focusBack(owner);
    const QColor color = QColorDialog::getColor(initial, owner);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

void QtDialogs::showFailure(QWidget *owner, const QString &text)
{
    const FocusBack focusBack(owner);
    const QString title = owner ? owner->window()->windowTitle() : QString();
    QMessageBox::warning(owner, title, text);
}

QString picturesFileFilter()
{
    // "*" rather than "*.*" so that files without an extension show too.
    return QStringLiteral("Pictures (*.jpg *.jpe *.jpeg *.gif *.png);;All Files (*)");
}

} // namespace vintora
