#include "shell/dialogs.h"

#include "shell/folder_chooser.h"
#include "shell/recent_folders.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

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

} // namespace

QStringList Dialogs::openFiles(QWidget *owner, const QString &filter)
{
    const QString file = openFile(owner, filter);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString QtDialogs::chooseFolder(QWidget *owner, const QString &title)
{
    RecentFolders recent;
    const QString folder = QFileDialog::getExistingDirectory(owner, title,
                                                             recent.folderFor(folderDialog(title)));
    recent.remember(folderDialog(title), folder);
    return QDir::toNativeSeparators(folder);
}

QString QtDialogs::openFile(QWidget *owner, const QString &filter)
{
    RecentFolders recent;
    const QString file = QFileDialog::getOpenFileName(
            owner, QString(), recent.folderFor(RecentFolders::Dialog::PictureFiles), filter);
    if (!file.isEmpty())
        recent.remember(RecentFolders::Dialog::PictureFiles, folderOf(file));
    return QDir::toNativeSeparators(file);
}

QStringList QtDialogs::openFiles(QWidget *owner, const QString &filter)
{
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
    const QColor color = QColorDialog::getColor(initial, owner);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

void QtDialogs::showFailure(QWidget *owner, const QString &text)
{
    const QString title = owner ? owner->window()->windowTitle() : QString();
    QMessageBox::warning(owner, title, text);
}

QString picturesFileFilter()
{
    // "*" rather than "*.*" so that files without an extension show too.
    return QStringLiteral("Pictures (*.jpg *.jpe *.jpeg *.gif *.png);;All Files (*)");
}

} // namespace vintora
