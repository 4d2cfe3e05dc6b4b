#include "shell/recent_folders.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestRecentFolders : public QObject
{
    Q_OBJECT

private slots:
    // Each dialog keeps its own folder for the next run; a cancel keeps the
    // last one, and a folder that has gone is forgotten.
    void each_dialog_remembers_its_folder()
    {
        QTemporaryDir settings, dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        using Dialog = RecentFolders::Dialog;
        RecentFolders().remember(Dialog::PictureFolder, dir.path());
        RecentFolders().remember(Dialog::OutputFolder, dir.filePath("out"));
        RecentFolders().remember(Dialog::PictureFolder, QString());
        QCOMPARE(RecentFolders().folderFor(Dialog::PictureFolder), dir.path());
        QCOMPARE(RecentFolders().folderFor(Dialog::OutputFolder), QString()); // never made
        QCOMPARE(RecentFolders().folderFor(Dialog::PictureFiles), QString());
    }
};

QTEST_MAIN(TestRecentFolders)
#include "test_recent_folders.moc"
