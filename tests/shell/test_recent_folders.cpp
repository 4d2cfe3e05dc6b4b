#include "shell/recent_folders.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestRecentFolders : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settings;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }

    // Each dialog keeps its own folder, also for the next run; a folder that
    // has gone is forgotten.
    void each_dialog_remembers_its_folder()
    {
        QTemporaryDir dir;
        const QString pictures = dir.filePath("pictures");
        const QString out = dir.filePath("out");
        QVERIFY(QDir().mkpath(pictures) && QDir().mkpath(out));
        QCOMPARE(RecentFolders().folderFor(RecentFolders::Dialog::PictureFiles), QString());

        RecentFolders().remember(RecentFolders::Dialog::PictureFolder, pictures);
        RecentFolders().remember(RecentFolders::Dialog::OutputFolder, out);
        RecentFolders().remember(RecentFolders::Dialog::OutputFolder, QString()); // a cancel
        const RecentFolders later;
        QCOMPARE(later.folderFor(RecentFolders::Dialog::PictureFolder), pictures);
        QCOMPARE(later.folderFor(RecentFolders::Dialog::OutputFolder), out);
        QCOMPARE(later.folderFor(RecentFolders::Dialog::PictureFiles), QString());
        QCOMPARE(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quendry", "Vintora")
                         .allKeys(),
                 (QStringList{"folders/outputFolder", "folders/pictureFolder"}));

        QVERIFY(QDir(out).removeRecursively());
        QCOMPARE(later.folderFor(RecentFolders::Dialog::OutputFolder), QString());
    }
};

QTEST_MAIN(TestRecentFolders)
#include "test_recent_folders.moc"
