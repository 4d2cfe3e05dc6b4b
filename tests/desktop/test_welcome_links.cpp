#include "base/file_name_bytes.h"
#include "desktop/welcome_links.h"
#include "desktop/welcome_targets.h"
#include "support/recording_url_opener.h"

#include "controls/clickable_label.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

const QUrl kMail("mailto:vintora@quendry.example");
const QUrl kWeb("http://www.quendry.example/");

} // namespace

class TestWelcomeLinks : public QObject
{
    Q_OBJECT

private slots:
    void targets_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QUrl>("expected");
        QTest::newRow("readme") << 0 << "/opt/vintora bin"
                                << QUrl::fromLocalFile("/opt/vintora bin/readme.txt");
        // Not "//readme.txt", which a file URL would read as a host name.
        QTest::newRow("readme, root folder") << 0 << "/" << QUrl("file:///readme.txt");
        QTest::newRow("mail") << 1 << "/opt" << kMail;
        QTest::newRow("web") << 2 << "/opt" << kWeb;
        QTest::newRow("other index") << 3 << "/opt" << QUrl();
    }
    void targets()
    {
        QFETCH(int, index);
        QFETCH(QString, folder);
        QFETCH(QUrl, expected);
        QCOMPARE(welcomeLinkTarget(index, folder), expected);
    }

    void icons_open_once_per_click_and_captions_do_not()
    {
        QWidget page;
        std::array<ClickableLabel *, 3> icons{};
        QList<QLabel *> captions;
        for (int i = 0; i < 3; ++i) {
            icons[i] = new ClickableLabel(&page);
            icons[i]->setGeometry(24 + 88 * i, 176, 32, 31);
            captions.append(new QLabel(&page));
            captions[i]->setGeometry(16 + 88 * i, 208, 49, 17);
        }
        RecordingUrlOpener opener;
        WelcomeLinks links(opener, {icons[0], icons[1], icons[2]}, "/opt/vintora");
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        for (int i : {2, 0, 1, 1, 1})
            QTest::mouseClick(icons[i], Qt::LeftButton);
        for (QLabel *caption : captions)
            QTest::mouseClick(caption, Qt::LeftButton);
        const QUrl readme = QUrl::fromLocalFile("/opt/vintora/readme.txt");
        QCOMPARE(opener.opened, QList<QUrl>({kWeb, readme, kMail, kMail, kMail}));
    }

    // Installed, the read-me lies with the documentation, and an older copy
    // left beside the program is passed over.
    void readme_in_the_documentation_folder_when_installed()
    {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        for (const char *file : {"bin/readme.txt", "share/doc/vintora/readme.txt"}) {
            QVERIFY(QDir().mkpath(QFileInfo(prefix.filePath(file)).path()));
            QFile readme(prefix.filePath(file));
            QVERIFY(readme.open(QIODevice::WriteOnly));
        }
        QCOMPARE(welcomeLinkTarget(0, prefix.filePath("bin")),
                 QUrl::fromLocalFile(prefix.path() + "/share/doc/vintora/readme.txt"));
    }

    void readme_lies_beside_the_program()
    {
        const QUrl target = welcomeLinkTarget(0, QCoreApplication::applicationDirPath());
        QFile readme(target.toLocalFile());
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QByteArray text = readme.readAll();
        QVERIFY(text.contains("Fin") && !text.contains("to be written"));
    }

    // The address "Open the page" hands on keeps bytes that are not UTF-8.
    void page_address_keeps_the_name()
    {
        QCOMPARE(localFileUrl(DecodeFileName("/home/ada/\xE9t\xE9.htm")).toEncoded(),
                 QByteArray("file:///home/ada/%E9t%E9.htm"));
    }
};

QTEST_MAIN(TestWelcomeLinks)
#include "test_welcome_links.moc"
