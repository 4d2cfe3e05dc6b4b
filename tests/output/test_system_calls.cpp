// The writer's system calls: a signal that interrupts one does not make it
// fail.

#include "output/system_calls.h"

#include <QFile>
#include <QTest>

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

using namespace vintora;

namespace {

void ignoreSignal(int) {}

// The state of the thread tid, as the system shows it ('S' while it sleeps
// in a call).
char stateOf(pid_t tid)
{
    QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(tid));
    if (!stat.open(QIODevice::ReadOnly))
        return '?';
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    return end >= 0 && end + 2 < line.size() ? line.at(end + 2) : '?';
}

} // namespace

class TestSystemCalls : public QObject
{
    Q_OBJECT

private slots:
    // A read waiting for bytes is interrupted by a signal whose handler
    // does not restart calls; it waits on and gets them all.
    void an_interrupted_call_is_made_again()
    {
        if (stateOf(::gettid()) == '?')
            QSKIP("the system does not show the state of a thread");
        struct sigaction action
        {};
        action.sa_handler = ignoreSignal; // without SA_RESTART
        struct sigaction before
        {};
        QVERIFY(::sigaction(SIGUSR1, &action, &before) == 0);
        int pipeEnds[2];
        QVERIFY(::pipe(pipeEnds) == 0);

        const pthread_t reader = ::pthread_self();
        const pid_t readerId = ::gettid();
        std::thread interrupter([&] {
            // Once the reader sleeps in its read, a signal, then the bytes.
            while (stateOf(readerId) != 'S')
                std::this_thread::yield();
            ::pthread_kill(reader, SIGUSR1);
            (void) !::write(pipeEnds[1], "bytes", 5);
        });
        char got[8] = {};
        const posix::CallResult read = posix::ReadFull(pipeEnds[0], got, 5);
        interrupter.join();
        ::sigaction(SIGUSR1, &before, nullptr);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);

        QCOMPARE(read.error, 0);
        QCOMPARE(read.value, 5);
        QCOMPARE(QByteArray(got), QByteArray("bytes"));
    }
};

QTEST_GUILESS_MAIN(TestSystemCalls)
#include "test_system_calls.moc"
