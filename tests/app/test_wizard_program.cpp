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
    void version_and_help_need_no_display()
    {
        WizardRun run = runWizard({"--version"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, QByteArray("vintora 2.0.4\n"));
        run = runWizard({"-platform", "offscreen", "--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.output.startsWith("Usage: vintora [Qt options]\n"));
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
