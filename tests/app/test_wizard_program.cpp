// The wizard program started from a shell: what it answers without a window.

#include <QProcess>
#include <QTest>

namespace {

struct WizardRun
{
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// The wizard with an environment of nothing but PATH and HOME: no display,
// no Qt platform.
WizardRun runWizard(const QStringList &arguments)
{
    QProcessEnvironment environment;
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", system.value("PATH"));
    environment.insert("HOME", system.value("HOME"));
    QProcess wizard;
    wizard.setProcessEnvironment(environment);
    wizard.start(QStringLiteral(VINTORA_WIZARD), arguments);
    wizard.waitForFinished(60000);
    return {wizard.exitStatus() == QProcess::NormalExit ? wizard.exitCode() : -1,
            wizard.readAllStandardOutput(), wizard.readAllStandardError()};
}

} // namespace

class TestWizardProgram : public QObject
{
    Q_OBJECT

private slots:
    // Both spellings of each that the help lists, also after a Qt option.
    void version_and_help_need_no_display_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::newRow("--version") << QStringList{"--version"} << QByteArray("vintora 2.0.4\n");
        QTest::newRow("-v") << QStringList{"-v"} << QByteArray("vintora 2.0.4\n");
        QTest::newRow("--help after -platform") << QStringList{"-platform", "offscreen", "--help"}
                                                << QByteArray("Usage: vintora [Qt options]\n");
        QTest::newRow("-h") << QStringList{"-h"} << QByteArray("Usage: vintora [Qt options]\n");
    }
    void version_and_help_need_no_display()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, firstLine);
        const WizardRun run = runWizard(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output.left(run.output.indexOf('\n') + 1), firstLine);
        if (firstLine.startsWith("Usage"))
            QVERIFY(run.output.contains("  -v, --version  Show the version.\n"));
        QCOMPARE(run.errors, QByteArray());
    }

    void without_a_display_it_says_so()
    {
        const WizardRun run = runWizard({});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.output, QByteArray());
        QCOMPARE(run.errors,
                 QByteArray("vintora: the wizard needs a desktop session and none was found "
                            "(DISPLAY and WAYLAND_DISPLAY are not set); vintora-cli makes the "
                            "same page without one.\n"));
    }
};

QTEST_GUILESS_MAIN(TestWizardProgram)
#include "test_wizard_program.moc"
