#include "pictures/picture_list.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"

#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestPictureList : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString pictures() const { return m_dir.filePath("pics"); }

private slots:
    void initTestCase()
    {
        for (const char *name : {"b.gif", "a.jpg", "c.txt", "sub/d.jpg"})
            writeFile(m_dir.filePath(QString("pics/") + name), "x");
    }

    void folder_pictures_append_after_existing_entries()
    {
        QWidget owner;
        ScriptedDialogs dialogs;
        PictureList list(&owner, dialogs);
        dialogs.files = {"/elsewhere/first.png"};
        dialogs.folders = {pictures(), pictures()};
        QVERIFY(list.addFile());
        QCOMPARE(list.addFolder(), 2);
        QCOMPARE(list.addFolder(), 2); // the same folder again: listed twice
        const QString a = pictures() + "/a.jpg", b = pictures() + "/b.gif";
        QCOMPARE(list.entries(), QStringList({"/elsewhere/first.png", a, b, a, b}));
        QCOMPARE(list.model()->rowCount(), 5);
        QCOMPARE(dialogs.calls.at(1).kind, QString("folder"));
        QCOMPARE(dialogs.calls.at(1).text, QString("Select a folder of pictures..."));
        QCOMPARE(dialogs.calls.at(1).owner, &owner);
    }

    void cancel_or_unlistable_folder_changes_nothing_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancel") << QString();
        QTest::newRow("vanished") << m_dir.filePath("gone");
        QTest::newRow("a file") << m_dir.filePath("pics/c.txt");
    }
    void cancel_or_unlistable_folder_changes_nothing()
    {
        QFETCH(QString, answer);
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        list.append({"/kept.jpg"});
        dialogs.folders = {answer};
        QCOMPARE(list.addFolder(), 0);
        QCOMPARE(list.entries(), QStringList{"/kept.jpg"});
    }

    void single_files_come_as_the_dialog_returns_them()
    {
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        dialogs.files = {"/notes/readme.txt", "/notes/readme.txt", ""};
        list.getFileClicked(1);
        list.getFileClicked(1);
        list.getFileClicked(1); // cancelled
        list.getFileClicked(2); // no such label
        QCOMPARE(list.entries(), QStringList({"/notes/readme.txt", "/notes/readme.txt"}));
        QCOMPARE(dialogs.calls.size(), 3);
        QCOMPARE(dialogs.calls.first().text, picturesFileFilter());
    }

    void double_click_removes_the_entry_under_it()
    {
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        QListView view;
        list.connectView(&view);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        // On an empty list a double click does nothing.
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        list.append({"1", "2", "3", "4", "5"});
        const QPoint third = view.visualRect(list.model()->index(2, 0)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, third);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(list.entries(), QStringList({"1", "2", "4", "5"}));

        // Nothing selected: nothing removed.
        view.clearSelection();
        QVERIFY(!list.removeSelected(&view));
        QCOMPARE(list.count(), 4);
    }

    void a_locked_list_does_not_change_nor_open_dialogs()
    {
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        list.append({"1", "2"});
        list.setLocked(true);
        dialogs.folders = {pictures()};
        dialogs.files = {"/x.jpg"};
        QCOMPARE(list.addFolder(), 0);
        QVERIFY(!list.addFile());
        QVERIFY(!list.removeAt(0));
        QVERIFY(!list.append({"3"}));
        QVERIFY(dialogs.calls.isEmpty());
        QCOMPARE(list.entries(), QStringList({"1", "2"}));
        list.setLocked(false);
        QVERIFY(list.removeAt(0));
    }
};

QTEST_MAIN(TestPictureList)
#include "test_picture_list.moc"
