#pragma once

#include <QFileDialog>

namespace vintora {

// Qt's folder dialog, which for the output folder also takes the path of
// a folder that does not exist yet, typed in its name box (Enter or the
// Choose button): it makes that folder and every missing one above it, as
// vintora-cli's -o does, and chooses it. When the folder cannot be made
// (a file in the way, a folder that may not be written) it says why and
// stays open.
class FolderDialog : public QFileDialog
{
    Q_OBJECT

public:
    FolderDialog(QWidget *owner, const QString &title, const QString &startFolder,
                 bool makesMissingFolder);

    // The chosen folder, empty when the dialog was cancelled.
    QString chosenFolder() const;

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void enableChooseForMissingFolder();

    bool m_makesMissingFolder = false;
    bool m_watchingName = false;
};

} // namespace vintora
