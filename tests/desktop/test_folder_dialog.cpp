// The output folder's dialog, Qt's own on the offscreen platform, driven by
// the keyboard: a path typed in its name box and Enter choose that folder,
// made first when it does not exist yet, as vintora-cli -o makes it.

#include "desktop/dialogs.h"
#include "desktop/folder_chooser.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

using namespace vintora;

namespace {

struct DialogRun
{
    QString chosen;  // what the chooser gave
    QString message; // the message the dialog showed, if any
    bool openAfterMessage = false;
};

// Opens the output folder's dialog, types typed in its name box and
// presses Enter, or clicks Choose; a message it shows is read and closed,
// and the dialog, if still open then, cancelled.
DialogRun chooseByTyping(const QString &typed, bool clickChoose = false)
{
    DialogRun run;
    QTimer::singleShot(0, [&run, typed, clickChoose] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *name = dialog ? dialog->findChild<QLineEdit *>("fileNameEdit") : nullptr;
        if (!name)
            return;
        QTimer messageWatch;
        QObject::connect(&messageWatch, &QTimer::timeout, [&run] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                run.message = box->text();
                box->accept();
            }
        });
        messageWatch.start(10);
        // As a person would, with the keyboard in the name box.
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog))
            return;
        name->setFocus();
        QTest::keyClicks(name, typed);
        auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
        QPushButton *choose = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
        if (clickChoose && choose)
            QTest::mouseClick(choose, Qt::LeftButton);
        else if (!clickChoose)
            QTest::keyClick(name, Qt::Key_Return);
        messageWatch.stop();
        run.openAfterMessage = !run.message.isEmpty() && dialog->isVisible();
        if (dialog->isVisible())
            dialog->reject();
    });
    QtDialogs dialogs;
    run.chosen = dialogs.chooseFolder(nullptr, QString::fromLatin1(kOutputFolderTitle));
    return run;
}

// The permission bits of each path under base, "-" where there is nothing.
QStringList modesOf(const QString &base, const QStringList &paths)
{
    QStringList modes;
    for (const QString &path : paths) {
        struct stat status;
        const bool there = ::stat(QFile::encodeName(base + '/' + path).constData(), &status) == 0;
        modes << (there ? QString::number(status.st_mode & 07777, 8) : QStringLiteral("-"));
    }
    return modes;
}

} // namespace

class TestFolderDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The dialogs remember their folders in a settings file of the test's own.
        QVERIFY(m_settings.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_settings.path()));
        ::umask(022);
    }

    void typed_path_is_chosen_data()
    {
        QTest::addColumn<QString>("typed");     // under the test's folder
        QTest::addColumn<bool>("clickChoose");  // or press Enter
        QTest::addColumn<QString>("chosen");    // under the test's folder, "" for none
        QTest::addColumn<QString>("message");   // %1 the test's folder
        QTest::addColumn<QStringList>("paths"); // looked at afterwards
        QTest::addColumn<QStringList>("modes"); // theirs then, "-" for nothing
        QTest::newRow("a new folder, Enter: made and chosen")
                << "new" << false << "new"
                << "" << QStringList{"new"} << QStringList{"755"};
        QTest::newRow("a new folder, the Choose button: made and chosen")
                << "new" << true << "new"
                << "" << QStringList{"new"} << QStringList{"755"};
        QTest::newRow("a new folder in new folders: all made")
                << "a/b/c" << false << "a/b/c"
                << "" << QStringList{"a", "a/b", "a/b/c"} << QStringList{"755", "755", "755"};
        QTest::newRow("an existing folder: chosen as it is")
                << "existing" << false << "existing"
                << "" << QStringList{"existing"} << QStringList{"700"};
        QTest::newRow("a file in the way: a message, nothing made, the dialog open")
                << "file/new" << false << ""
                << "Cannot make the folder %1/file/new: %1/file is not a folder."
                << QStringList{"file", "file/new"} << QStringList{"644", "-"};
    }
    void typed_path_is_chosen()
    {
        QFETCH(QString, typed);
        QFETCH(bool, clickChoose);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        QFETCH(QStringList, paths);
        QFETCH(QStringList, modes);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("existing"));
        QVERIFY(QFile::setPermissions(dir.filePath("existing"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QFile file(dir.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        const DialogRun run = chooseByTyping(dir.filePath(typed), clickChoose);
        QCOMPARE(run.chosen, chosen.isEmpty() ? QString() : dir.filePath(chosen));
        QCOMPARE(run.message, message.isEmpty() ? QString() : message.arg(dir.path()));
        QCOMPARE(run.openAfterMessage, !message.isEmpty());
        QCOMPARE(modesOf(dir.path(), paths), modes);
    }

    // A folder that may not be written: a message, nothing made.
    void folder_that_may_not_be_written_is_refused()
    {
        if (::geteuid() == 0)
            QSKIP("the superuser may write every folder");
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("locked"));
        QVERIFY(QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner));
        const DialogRun run = chooseByTyping(dir.filePath("locked/new"));
        QCOMPARE(run.chosen, QString());
        QCOMPARE(run.message, QString("Cannot make the folder %1/locked/new: %1/locked may not be "
                                      "written.")
                                      .arg(dir.path()));
        QVERIFY(run.openAfterMessage);
        QCOMPARE(modesOf(dir.path(), {"locked/new"}), QStringList{"-"});
    }

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestFolderDialog)
#include "test_folder_dialog.moc"
