#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace vintora {

// Every dialog the program shows goes through this interface, so that tests
// can script each choice, cancels included.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A folder's full path with native separators; empty on cancel.
    virtual QString chooseFolder(QWidget *owner, const QString &title) = 0;
    // One file's full path with native separators; empty on cancel. The
    // filter is in Qt's syntax, "Name (*.a *.b);;Other (*)".
    virtual QString openFile(QWidget *owner, const QString &filter) = 0;
    // Any number of files chosen at once, in the order the dialog gives
    // them; empty on cancel. By default, the one file of openFile().
    virtual QStringList openFiles(QWidget *owner, const QString &filter);
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<QColor> chooseColor(QWidget *owner, const QColor &initial) = 0;
    // Tells the user in full why something failed; returns once read.
    virtual void showFailure(QWidget *owner, const QString &text) = 0;
};

// The platform's own dialogs. The folder choosers and the file dialogs
// each open where the user last chose something, also in an earlier run.
class QtDialogs : public Dialogs
{
public:
    QString chooseFolder(QWidget *owner, const QString &title) override;
    QString openFile(QWidget *owner, const QString &filter) override;
    QStringList openFiles(QWidget *owner, const QString &filter) override;
    std::optional<QColor> chooseColor(QWidget *owner, const QColor &initial) override;
    void showFailure(QWidget *owner, const QString &text) override;
};

// The filter of the open-file dialogs: "Pictures " and "All Files (*.*)".
QString picturesFileFilter();

} // namespace vintora
