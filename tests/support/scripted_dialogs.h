#pragma once

#include "shell/dialogs.h"

#include <QStringList>

// Dialogs that answer from queues; an empty queue (and every colour dialog)
// answers as a cancel. Every call is recorded as kind, title or filter, and
// owner.
class ScriptedDialogs : public vintora::Dialogs
{
public:
    struct Call
    {
        QString kind;
        QString text;
        QWidget *owner;
    };
    QStringList folders, files;
    QList<Call> calls;

    QString chooseFolder(QWidget *owner, const QString &title) override
    {
        calls.append({"folder", title, owner});
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString openFile(QWidget *owner, const QString &filter) override
    {
        calls.append({"file", filter, owner});
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget *owner, const QColor &) override
    {
        calls.append({"color", QString(), owner});
        return std::nullopt;
    }
};
