#pragma once

#include "desktop/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

// Dialogs that answer from queues filled by the test and record each call.
// A dialog shown with nothing queued answers as a cancel and is counted as
// unexpected.
class ScriptedDialogs : public vintora::Dialogs
{
public:
    struct Call
    {
        QString kind; // "folder", "file", "files", "color" or "failure"
        QString text; // the chooser's title, the file dialog's filter, the failure
        QWidget *owner = nullptr;
        QColor initial; // the colour dialog's starting colour
    };

    QStringList folders; // "" is a cancel
    QStringList files;   // "" is a cancel
    // Choices of several files; with none queued, a dialog for several
    // files answers from files, one file at a time.
    QList<QStringList> fileLists; // {} is a cancel
    QList<std::optional<QColor>> colors;
    QList<Call> calls;
    int unexpected = 0;
    // Done while the folder chooser is open, as a person might meanwhile.
    std::function<void()> whileChoosingFolder;

    QString chooseFolder(QWidget *owner, const QString &title) override
    {
        calls.append({"folder", title, owner, {}});
        if (whileChoosingFolder)
            whileChoosingFolder();
        return folders.isEmpty() ? (++unexpected, QString()) : folders.takeFirst();
    }
    QString openFile(QWidget *owner, const QString &filter) override
    {
        calls.append({"file", filter, owner, {}});
        return files.isEmpty() ? (++unexpected, QString()) : files.takeFirst();
    }
    QStringList openFiles(QWidget *owner, const QString &filter) override
    {
        if (fileLists.isEmpty())
            return Dialogs::openFiles(owner, filter);
        calls.append({"files", filter, owner, {}});
        return fileLists.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget *owner, const QColor &initial) override
    {
        calls.append({"color", QString(), owner, initial});
        return colors.isEmpty() ? (++unexpected, std::nullopt) : colors.takeFirst();
    }

    void showFailure(QWidget *owner, const QString &text) override
    {
        calls.append({"failure", text, owner, {}});
    }

    int count(const QString &kind) const
    {
        int n = 0;
        for (const Call &call : calls)
            n += call.kind == kind ? 1 : 0;
        return n;
    }
};
