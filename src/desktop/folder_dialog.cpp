#include "desktop/folder_dialog.h"

#include "base/source_file.h"
#include "output/output_folder.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace vintora {

namespace {

// The folder the dialog's name box or selection names, as an absolute path;
// empty when it names none.
QString namedFolder(const QFileDialog &dialog)
{
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : QFileInfo(chosen.first()).absoluteFilePath();
}

} // namespace

FolderDialog::FolderDialog(QWidget *owner, const QString &title, const QString &startFolder,
                           bool makesMissingFolder)
    : QFileDialog(owner, title, startFolder), m_makesMissingFolder(makesMissingFolder)
{
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly);
}

QString FolderDialog::chosenFolder() const
{
    return result() == QDialog::Accepted ? selectedUrls().value(0).toLocalFile() : QString();
}

void FolderDialog::accept()
{
    const QString folder = namedFolder(*this);
    if (m_makesMissingFolder && !folder.isEmpty() && !StatFile(folder).exists()) {
        QString problem = OutputFolderProblem(folder);
        if (problem.isEmpty())
            problem = MakeOutputFolder(folder);
        else
            problem = problem.left(1).toUpper() + problem.mid(1) + QLatin1Char('.');
        if (!problem.isEmpty()) {
            QMessageBox::warning(this, windowTitle(), problem);
            return;
        }
    }
    QFileDialog::accept();
}

// Qt's dialog greys its Choose button out while the name box names no
// existing folder (Enter in the name box reaches accept() all the same); a
// folder it may make keeps the button on, so that a click chooses it too.
// The name box is there once the dialog is shown.
void FolderDialog::showEvent(QShowEvent *event)
{
    QFileDialog::showEvent(event);
    if (!m_makesMissingFolder || m_watchingName)
        return;
    if (auto *name = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
        connect(name, &QLineEdit::textChanged, this, &FolderDialog::enableChooseForMissingFolder);
        m_watchingName = true;
    }
}

void FolderDialog::enableChooseForMissingFolder()
{
    auto *buttons = findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QPushButton *choose = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    const QString folder = namedFolder(*this);
    if (choose && !folder.isEmpty() && !StatFile(folder).exists())
        choose->setEnabled(true);
}

} // namespace vintora
