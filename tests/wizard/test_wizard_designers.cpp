// The designers and links as the wizard window wires them.

#include "wizard_fixture.h"

#include <QImage>
#include <QTemporaryDir>

using namespace vintora;

class TestWizardDesigners : public QObject
{
    Q_OBJECT

private slots:
    void unloadable_background_is_explained_on_the_page()
    {
        QTemporaryDir dir;
        const QString notAPicture = dir.filePath("notes.jpg");
        QFile file(notAPicture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();

        WizardFixture w;
        w.fore(); // page 1
        w.dialogs.files = {notAPicture};
        PageStylePage &page = w.w().pageStylePage();
        w.click(page.backgroundLink());
        QVERIFY(page.showsProblem());
        QVERIFY2(page.problemText().contains("notes.jpg"), qPrintable(page.problemText()));
        QVERIFY(page.preview()->tag().isEmpty());

        w.fore(); // leaving the page clears the line; nothing was captured
        QVERIFY(w.settings.backgroundPicture.isEmpty());
        w.back();
        QVERIFY(!page.showsProblem());
    }

    // 45 megapixels, as full-frame cameras take them: beyond Qt's default
    // memory limit for one picture, yet only its corner is needed here.
    void camera_picture_becomes_the_background()
    {
        QTemporaryDir dir;
        QImage camera(8256, 5504, QImage::Format_RGB32);
        camera.fill(qRgb(30, 90, 160));
        QVERIFY(camera.save(dir.filePath("camera.jpg")));
        camera = QImage();

        WizardFixture w;
        w.fore(); // page 1
        w.dialogs.files = {dir.filePath("camera.jpg")};
        PageStylePage &page = w.w().pageStylePage();
        w.click(page.backgroundLink());
        QVERIFY2(!page.showsProblem(), qPrintable(page.problemText()));
        QCOMPARE(page.preview()->picture().size(), QSize(217, 161));
        w.fore(); // page 2 captures it
        QCOMPARE(w.settings.backgroundPicture, dir.filePath("camera.jpg"));
    }

    void designer_choices_are_captured_by_the_page_switch()
    {
        WizardFixture w;
        w.fore(); // page 1
        w.dialogs.colors = {QColor(0, 0, 0), QColor(0x10, 0x20, 0x30)};
        w.click(w.w().pageStylePage().colorLabels()[1]); // link colour: black takes effect
        w.click(w.w().pageStylePage().pageColorLink());
        w.fore(); // page 2 captures the Page style page
        QCOMPARE(w.settings.linkColor, 0x000000u);
        QCOMPARE(w.settings.pageColor, 0x302010u);

        w.fore(); // page 3
        w.dialogs.colors = {QColor(0xFF, 0x80, 0x00)};
        w.click(w.w().tablePage().cellColorLink());
        w.fore(); // page 4 captures the Table page
        QCOMPARE(w.settings.cellColor, 0x0080FFu);
        QCOMPARE(w.dialogs.unexpected, 0);
    }

    void welcome_icons_open_their_targets()
    {
        WizardFixture w;
        const WelcomePage &page = w.w().welcomePage();
        for (ClickableLabel *icon : {page.readmeIcon(), page.mailIcon(), page.webIcon()})
            w.click(icon);
        w.click(page.findChild<QLabel *>("Label1(26)")); // the caption "Mail" is no link
        QCOMPARE(w.urls.opened.size(), 3);
        QCOMPARE(w.urls.opened[0].fileName(), QString("readme.txt"));
        QCOMPARE(w.urls.opened[1], QUrl("mailto:vintora@quendry.example"));
        QCOMPARE(w.urls.opened[2], QUrl("http://www.quendry.example/"));
        QCOMPARE(w.page(), kWelcomePage);
    }

    void welcome_icon_double_click_opens_once()
    {
        WizardFixture w;
        QWidget *mail = w.w().welcomePage().mailIcon();
        QTest::mouseDClick(w.window->windowHandle(), Qt::LeftButton, {},
                           mail->mapTo(w.window.get(), mail->rect().center()));
        QCOMPARE(w.urls.opened, QList<QUrl>{QUrl("mailto:vintora@quendry.example")});
    }
};

QTEST_MAIN(TestWizardDesigners)
#include "test_wizard_designers.moc"
