#include "shell/dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace vintora {

QString QtDialogs::chooseFolder(QWidget *owner, const QString &title)
{
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(owner, title));
}

QString QtDialogs::openFile(QWidget *owner, const QString &filter)
{
    return QDir::toNativeSeparators(
            QFileDialog::getOpenFileName(owner, QString(), QString(), filter));
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
