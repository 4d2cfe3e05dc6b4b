#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QStringList>

// Dialogs that answer from queues filled by the test and record each call.
// A dialog shown with nothing queued is cancelled and counted as unexpected.
class ScriptedDialogs : public vintora::Dialogs
{
public:
    struct Call
    {
        QString kind; // "file" or "color"
        QWidget *owner = nullptr;
        QString filter;
        QColor initial;
    };

    QStringList files; // "" is a cancel
    QList<std::optional<QColor>> colors;
    QList<Call> calls;
    int unexpected = 0;

    QString chooseFolder(QWidget *, const QString &) override { return ++unexpected, QString(); }
    QString openFile(QWidget *owner, const QString &filter) override
    {
        calls.append({"file", owner, filter, {}});
        return files.isEmpty() ? (++unexpected, QString()) : files.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget *owner, const QColor &initial) override
    {
        calls.append({"color", owner, {}, initial});
        return colors.isEmpty() ? (++unexpected, std::nullopt) : colors.takeFirst();
    }
};
