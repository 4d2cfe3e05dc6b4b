#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

// Dialogs that answer from queues instead of asking a person. A call with
// its queue empty answers as a cancel. Every call is recorded; onCall runs
// while the "dialog is open", before it answers.
class ScriptedDialogs : public vintora::Dialogs
{
public:
    struct Call
    {
        QString kind; // "folder", "file" or "color"
        QString text; // the title or the filter
        QWidget *owner = nullptr;
    };

    QStringList folders;
    QStringList files;
    QList<std::optional<QColor>> colors;
    QList<Call> calls;
    std::function<void()> onCall;

    QString chooseFolder(QWidget *owner, const QString &title) override
    {
        record({"folder", title, owner});
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString openFile(QWidget *owner, const QString &filter) override
    {
        record({"file", filter, owner});
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget *owner, const QColor &) override
    {
        record({"color", QString(), owner});
        return colors.isEmpty() ? std::nullopt : colors.takeFirst();
    }

private:
    void record(const Call &call)
    {
        calls.append(call);
        if (onCall)
            onCall();
    }
};
