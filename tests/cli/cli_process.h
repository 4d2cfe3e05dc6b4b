#pragma once

// vintora-cli run as a separate program, as a user runs it (VINTORA_CLI is
// its path, given by the build).

#include <QProcess>
#include <QStringList>

namespace vintora {

struct CliRun
{
    int exitCode = -1;
    QStringList errorLines;
    QString output;
};

inline CliRun runCli(const QStringList &arguments, const QString &workingFolder = QString())
{
    QProcess cli;
    cli.setWorkingDirectory(workingFolder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY"); // it needs no display
    environment.remove("QT_QPA_PLATFORM");
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(VINTORA_CLI), arguments);
    cli.waitForFinished(60000);
    CliRun run;
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.errorLines = QString::fromUtf8(cli.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    run.output = QString::fromUtf8(cli.readAllStandardOutput());
    return run;
}

} // namespace vintora
