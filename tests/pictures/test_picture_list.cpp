#include "pictures/picture_list.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestPictureList : public QObject
{
    Q_OBJECT

private slots:
    void entries_append_from_folders_and_files()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.gif", "a.jpg", "c.txt"})
            writeFile(dir.filePath(name), "x");
        QWidget owner;
        ScriptedDialogs dialogs;
        PictureList list(&owner, dialogs);
        dialogs.files = {"/notes/any.txt", ""};
        dialogs.folders = {dir.path(), "", dir.filePath("gone"), dir.path()};
        list.addFile(); // two files, then four folders
        list.addFile();
        for (int i = 0; i < 4; ++i)
            list.addFolder();
        const QString a = dir.filePath("a.jpg"), b = dir.filePath("b.gif");
        QCOMPARE(list.entries(), QStringList({"/notes/any.txt", a, b, a, b}));
        QCOMPARE(list.model()->rowCount(), 5);
        QCOMPARE(dialogs.calls.size(), 6);
        QCOMPARE(dialogs.calls.at(0).text, picturesFileFilter());
        QCOMPARE(dialogs.calls.at(2).text, QString("Select a folder of pictures..."));
        QCOMPARE(dialogs.calls.at(2).owner, &owner);
    }

    void double_click_removes_the_entry_under_it()
    {
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        QListView view;
        list.connectView(&view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // empty list
        list.append({"1", "2", "3", "4", "5"});
        const QPoint third = view.visualRect(list.model()->index(2, 0)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, third);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(list.entries(), QStringList({"1", "2", "4", "5"}));
        view.clearSelection();
        QVERIFY(!list.removeSelected(&view));
    }
};

QTEST_MAIN(TestPictureList)
#include "test_picture_list.moc"
