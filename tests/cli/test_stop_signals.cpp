// Ctrl+C and SIGTERM as vintora-cli takes them: the first asks the run to
// stop and says which signal it was, a second ends the program at once, and
// a signal the program was started to ignore stays ignored. Each row runs
// in a child process of its own.

#include "cli/stop_signals.h"

#include <QTest>

#include <csignal>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

using namespace vintora;

namespace {

// Runs body in a child process, which may tell what it saw through the
// descriptor it is given; its wait status, and what it told.
template<typename Body>
std::pair<int, QByteArray> inChild(Body body)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {-1, {}};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        ::_exit(body(pipe[1]));
    }
    ::close(pipe[1]);
    QByteArray told;
    char byte = 0;
    while (::read(pipe[0], &byte, 1) == 1)
        told += byte;
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {status, told};
}

} // namespace

class TestStopSignals : public QObject
{
    Q_OBJECT

private slots:
    void a_second_signal_ends_the_program_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("Ctrl+C twice") << int(SIGINT) << int(SIGINT);
        QTest::newRow("Ctrl+C, then SIGTERM") << int(SIGINT) << int(SIGTERM);
        QTest::newRow("SIGTERM twice") << int(SIGTERM) << int(SIGTERM);
    }
    void a_second_signal_ends_the_program()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        const auto [status, told] = inChild([first, second](int tell) {
            const StopRequest &stop = StopOnSignals();
            std::raise(first);
            if (stop.why() == first)
                (void) ::write(tell, "asked to stop", 13);
            std::raise(second);
            return 2;
        });
        QCOMPARE(told, QByteArray("asked to stop"));
        QVERIFY2(WIFSIGNALED(status), qPrintable(QString::number(WEXITSTATUS(status))));
        QCOMPARE(WTERMSIG(status), second);
    }

    void a_signal_ignored_from_the_start_stays_ignored()
    {
        const auto [status, told] = inChild([](int) {
            std::signal(SIGINT, SIG_IGN);
            const StopRequest &stop = StopOnSignals();
            std::raise(SIGINT);
            return stop.isRequested() ? 1 : 0;
        });
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

QTEST_GUILESS_MAIN(TestStopSignals)
#include "test_stop_signals.moc"
