#include "base/file_name_bytes.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "wizard/picture_list.h"

#include <QListView>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        QSignalSpy reported(&list, &PictureList::reported);
        dialogs.files = {"/notes/any.txt", ""};
        dialogs.folders = {dir.path(), "", dir.filePath("gone"), dir.path()};
        list.addFiles(); // two files, then four folders
        list.addFiles();
        for (int i = 0; i < 4; ++i)
            list.addFolder();
        const QString a = dir.filePath("a.jpg"), b = dir.filePath("b.gif");
        QCOMPARE(list.entries(), QStringList({"/notes/any.txt", a, b, a, b}));
        QCOMPARE(reported.last().at(0).toString(),
                 QString("Left out 1 file that is not a JPEG, GIF, PNG or BMP picture: 1 .txt"));
        QCOMPARE(list.model()->rowCount(), 5);
        QCOMPARE(dialogs.calls.size(), 6);
        QCOMPARE(dialogs.calls.at(0).text, picturesFileFilter());
        QCOMPARE(dialogs.calls.at(2).text, QString("Select a folder of pictures..."));
        QCOMPARE(dialogs.calls.at(2).owner, &owner);
    }

    // With the modern page's albums, "Select a folder" takes the folder's
    // tree; the folders chosen are kept for the run.
    void select_a_folder_takes_the_tree_with_albums_data()
    {
        QTest::addColumn<bool>("albums");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("albums") << true
                                << QStringList{"trip/a.jpg", "trip/Day 1/b.jpg",
                                               "trip/Day 1/Morning/c.jpg", "trip/Day 2/d.jpg"};
        QTest::newRow("no albums") << false << QStringList{"trip/a.jpg"};
    }

    void select_a_folder_takes_the_tree_with_albums()
    {
        QFETCH(bool, albums);
        QFETCH(QStringList, entries);
        QTemporaryDir dir;
        for (const char *name : {"trip/a.jpg", "trip/Day 2/d.jpg", "trip/Day 1/b.jpg",
                                 "trip/Day 1/Morning/c.jpg", "trip/.hidden/h.jpg"})
            writeFile(dir.filePath(name), "x");
        QWidget owner;
        ScriptedDialogs dialogs;
        PictureList list(&owner, dialogs);
        list.setTreeWanted([albums] { return albums; });
        dialogs.folders = {dir.filePath("trip")};
        list.addFolder();
        QStringList shown;
        for (const QString &entry : list.entries())
            shown << QDir(dir.path()).relativeFilePath(entry);
        QCOMPARE(shown, entries);
        QCOMPARE(list.folders(), QStringList{dir.filePath("trip")});
    }

    // With thumbnails made, a folder adds the phones' formats as well.
    void phone_formats_added_with_thumbnails_data()
    {
        QTest::addColumn<bool>("thumbnails");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("line");
        QTest::newRow("classic") << false << QStringList{"a.jpg"}
                                 << "Left out 3 files that are not JPEG, GIF, PNG or BMP "
                                    "pictures: 1 .avif, 1 .HEIC, 1 .webp";
        QTest::newRow("thumbnails")
                << true << QStringList{"a.jpg", "b.HEIC", "c.avif", "d.webp"} << "";
    }
    void phone_formats_added_with_thumbnails()
    {
        QFETCH(bool, thumbnails);
        QFETCH(QStringList, added);
        QFETCH(QString, line);
        QTemporaryDir dir;
        for (const char *name : {"a.jpg", "b.HEIC", "c.avif", "d.webp"})
            writeFile(dir.filePath(name), "x");
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        if (thumbnails)
            list.setPictureKinds(PictureKinds::WithPhoneFormats);
        QSignalSpy reported(&list, &PictureList::reported);
        dialogs.folders = {dir.path()};
        list.addFolder();
        for (QString &name : added)
            name = dir.filePath(name);
        QCOMPARE(list.entries(), added);
        QCOMPARE(reported.last().at(0).toString(), line);
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

    // Several files at once, in the dialog's order, missing ones too; a
    // named pipe among them is refused by name.
    void select_files_adds_them_in_order_but_no_pipe()
    {
        QTemporaryDir dir;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("y.jpg")).constData(), 0600), 0);
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        QSignalSpy reported(&list, &PictureList::reported);
        dialogs.fileLists = {{"/p/c.jpg", dir.filePath("y.jpg"), "/p/a.jpg"}};
        QCOMPARE(list.addFiles(), 2);
        QCOMPARE(list.entries(), (QStringList{"/p/c.jpg", "/p/a.jpg"}));
        QCOMPARE(reported.last().at(0).toString(),
                 QString("\"y.jpg\" is a named pipe, not a picture file."));
    }

    // A folder and two files dropped on the list: one a file whose name is
    // not valid UTF-8 ("\xE9.jpg"), as a file manager drops it.
    void dropped_folder_and_files_are_added()
    {
        QTemporaryDir dir;
        for (const char *name : {"pics/b.gif", "pics/a.jpg", "pics/c.txt", "x.png"})
            writeFile(dir.filePath(name), "x");
        const QByteArray raw = QFile::encodeName(dir.path()) + "/\xE9.jpg";
        ::close(::open(raw.constData(), O_CREAT | O_WRONLY, 0600));
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        QListView view;
        list.connectView(&view);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir.filePath("x.png")),
                      QUrl::fromLocalFile(dir.filePath("pics") + "/"), // as some drop it
                      QUrl::fromEncoded("file://" + raw.toPercentEncoding("/"))});
        QSignalSpy reported(&list, &PictureList::reported);
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &enter);
        QDropEvent drop({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &drop);
        QVERIFY(enter.isAccepted() && drop.isAccepted());
        QCOMPARE(list.entries(), (QStringList{dir.filePath("x.png"), dir.filePath("pics/a.jpg"),
                                              dir.filePath("pics/b.gif"), DecodeFileName(raw)}));
        QCOMPARE(reported.last().at(0).toString(),
                 QString("Left out 1 file that is not a JPEG, GIF, PNG or BMP picture: 1 .txt"));
        ::unlink(raw.constData()); // a name QTemporaryDir cannot spell
    }

    // The modern page without a title takes the name of the first folder
    // whose pictures are in the list. Steps: "files", a folder's name for
    // "Select a folder", "drop" for a drop of both folders, "empty" for
    // removing every entry.
    void first_folder_names_the_page_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("first");
        QTest::newRow("files only") << QStringList{"files"} << "";
        QTest::newRow("files, then two folders")
                << QStringList{"files", "Lisbon", "Porto"} << "Lisbon";
        QTest::newRow("a folder without pictures first")
                << QStringList{"empty folder", "Porto"} << "Porto";
        QTest::newRow("emptied, then another")
                << QStringList{"Lisbon", "empty", "Porto"} << "Porto";
        QTest::newRow("dropped") << QStringList{"drop"} << "Lisbon";
    }
    void first_folder_names_the_page()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, first);
        QTemporaryDir dir;
        for (const char *name : {"Lisbon/a.jpg", "Porto/b.jpg", "empty folder/c.txt"})
            writeFile(dir.filePath(name), "x");
        ScriptedDialogs dialogs;
        PictureList list(nullptr, dialogs);
        QListView view;
        list.connectView(&view);
        for (const QString &step : steps) {
            if (step == "files") {
                dialogs.fileLists = {{dir.filePath("Lisbon/a.jpg")}};
                list.addFiles();
            } else if (step == "empty") {
                while (list.count() > 0)
                    list.removeAt(0);
            } else if (step == "drop") {
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(dir.filePath("Lisbon")),
                              QUrl::fromLocalFile(dir.filePath("Porto"))});
                QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
                QApplication::sendEvent(view.viewport(), &enter);
                QDropEvent drop({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
                QApplication::sendEvent(view.viewport(), &drop);
            } else {
                dialogs.folders = {dir.filePath(step)};
                list.addFolder();
            }
        }
        QCOMPARE(list.firstFolder(), first.isEmpty() ? QString() : dir.filePath(first));
    }
};

QTEST_MAIN(TestPictureList)
#include "test_picture_list.moc"
