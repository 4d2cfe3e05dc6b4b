#include "wizard_fixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QRegularExpression>

using namespace vintora;

namespace {

QRadioButton *align(const WizardFixture &w, int index)
{
    return w.find<QRadioButton>(QString("optTableAlign(%1)").arg(index));
}

QString textOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    return QString();
}

} // namespace

class TestWizardCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void texts_and_places_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place"); // in pixels; 0 size: natural size

        // The catalogue's places are in twips, 15 to a pixel.
        const auto row = [](const char *name, const QString &text, int l, int t, int w, int h) {
            const auto pixels = [](int twips) {
                return qRound(twips / 15.0);
            };
            QTest::newRow(name) << QString::fromLatin1(name) << text
                                << QRect(pixels(l), pixels(t), pixels(w), pixels(h));
        };
        // Controls beyond the catalogue, placed in pixels.
        const auto placed = [](const char *name, const QString &text, QRect place) {
            QTest::newRow(name) << QString::fromLatin1(name) << text << place;
        };
        // Page 0, Welcome
        row("Label1(0)",
            "Welcome to Vintora!  This application will help you generate an HTML-only thumbnail "
            "index page of images for use on your web site or your personal computer.",
            120, 120, 3735, 975);
        row("Label1(1)",
            "This wizard will step you through all the steps you need to take to create your page "
            "and prepare it for display on your web server.  Set your preferences on the following "
            "screens and use the buttons below to step through each section as you complete it or "
            "to go back to change an option.",
            120, 1080, 3735, 1455);
        row("Image4(0)", "", 360, 2640, 0, 0);
        row("Label1(25)", "Readme", 240, 3120, 735, 255);
        row("Image4(1)", "", 1680, 2640, 0, 0);
        row("Label1(26)", "Mail", 1560, 3120, 735, 255);
        row("Image4(2)", "", 3000, 2640, 0, 0);
        row("Label1(27)", "Web", 2880, 3120, 735, 255);
        row("Label1(2)", "Let's begin!", 120, 3840, 3735, 375);
        // Page 1, Page style
        row("Label1(8)",
            "Let's customize the thumbnails page.  Click on the items below to change settings.  "
            "(This rendering is not exact).",
            120, 120, 3735, 735);
        row("Image2", "", 240, 840, 3300, 3000);
        row("picPreview", "", 270, 1320, 3255, 2415);
        row("pgpref(0)", "Text", 360, 480, 2415, 375);
        row("pgpref(1)", "HyperLink", 360, 840, 2415, 375);
        row("pgpref(2)", "Active HyperLink", 360, 1200, 2415, 375);
        row("pgpref(3)", "Visited HyperLink", 360, 1560, 2415, 375);
        row("pgpref(5)", "Background Picture", 120, 3960, 1935, 255);
        row("pgpref(4)", "Page Color", 2640, 3960, 1215, 255);
        // Page 2, Layout style
        row("Label1(5)", "Let's look at the style of page we're going to be creating.", 120, 120,
            3735, 975);
        row("Image1(0)", "", 120, 720, 900, 915);
        row("Label1(4)",
            "A table-based layout will keep your pictures neatly aligned and offers more "
            "formatting options, but you have to specify a number of columns in advance.",
            1200, 720, 2655, 1215);
        row("Image1(1)", "", 120, 1920, 900, 915);
        row("Label1(3)",
            "A generic layout will simply add your thumbnails to a page.  They won't be neatly "
            "aligned, but can flow to fill the page more completely.",
            1200, 1920, 2655, 1095);
        row("optStyle(0)", "I want tables", 480, 3360, 3255, 255);
        row("optStyle(1)", "No tables, just the pix", 480, 3720, 3255, 255);
        placed("chkModern", "Make a modern page for phones and today's browsers",
               QRect(32, 194, 225, 29));
        // Page 3, Table
        row("Label1(7)", "Next we need to define the table that will hold the thumbnails:", 120,
            120, 3735, 615);
        row("Label1(6)", "Number of columns in table: ", 0, 840, 2655, 375);
        row("Text1(0)", "4", 2760, 800, 735, 285);
        row("Label1(11)", "Cell spacing:", 0, 1110, 2655, 375);
        row("Text1(1)", "1", 2760, 1070, 735, 285);
        row("Label1(12)", "Cell padding:", 0, 1365, 2655, 375);
        row("Text1(2)", "1", 2760, 1320, 735, 285);
        row("Label1(13)", "Border size:", 0, 1605, 2655, 375);
        row("Text1(3)", "0", 2760, 1560, 735, 285);
        row("Frame1(0)", "Align Thumbnails Horizontally", 240, 2040, 3495, 735);
        row("optTableAlign(0)", "Left", 120, 360, 975, 255);
        row("optTableAlign(1)", "Center", 1200, 360, 975, 255);
        row("optTableAlign(2)", "Right", 2400, 360, 975, 255);
        row("Frame1(1)", "Align Thumbnails Vertically", 240, 2880, 3495, 735);
        row("optTableAlign(3)", "Top", 120, 360, 975, 255);
        row("optTableAlign(4)", "Middle", 1200, 360, 975, 255);
        row("optTableAlign(5)", "Bottom", 2400, 360, 975, 255);
        row("labTable(0)", "Cell Background", 240, 3840, 1815, 375);
        row("picTable(0)", "", 1560, 3840, 495, 255);
        row("labTable(1)", "Cell Picture", 2280, 3840, 1455, 375);
        row("picTable(1)", "", 3240, 3840, 495, 255);
        // Page 4, Thumbnails
        row("Label1(16)", "Now we specify some options for the thumbnails themselves:", 120, 120,
            3735, 615);
        row("optsize(0)", "Uniform size:", 360, 720, 1455, 255);
        row("txtSize(0)", "100", 840, 1080, 495, 285);
        row("Label1(14)", "X", 1440, 1140, 255, 255);
        row("txtSize(1)", "100", 1800, 1080, 495, 285);
        row("Label1(15)", "pixels", 2400, 1140, 615, 375);
        row("optsize(1)", "Percentage of page width:", 360, 1920, 2655, 255);
        row("txtSize(3)", "25", 840, 2400, 495, 285);
        row("Label1(9)", "%  X", 1440, 2460, 375, 255);
        row("txtSize(2)", "25", 1920, 2400, 495, 285);
        row("Label1(10)", "%", 2520, 2460, 615, 375);
        row("Check1(0)", "Show borders on images", 360, 3240, 3255, 255);
        row("Check1(1)", "Make small thumbnail files", 360, 3600, 3255, 255);
        // Page 5, Pictures
        row("Label1(19)",
            "Let's choose the pictures we'll include!  Select the files to include in the dialog.  "
            "Open it as often as you need to include all the files you want. Files to be included "
            "are added to the list below. ",
            120, 120, 3735, 975);
        row("Label1(17)", "Check or uncheck files to include or exclude them.", 120, 1080, 3735,
            615);
        row("lstFiles", "", 120, 1440, 3735, 2175);
        row("labGetFile(0)", "Select a folder", 120, 3960, 1095, 375);
        row("labGetFile(1)", "Select files", 2760, 3960, 1095, 375);
        // Page 6, Packaging
        row("Label1(20)",
            "Almost done!  Now we need to decide whether or not to \"package up\" the pictures.",
            120, 120, 3735, 615);
        row("Image3(0)", "", 240, 840, 900, 915);
        row("Label1(18)",
            "Copying the files you selected to your output folder is a good idea if this page "
            "will be used on the web somewhere.  Then you'll just need to upload the whole folder "
            "to your server.",
            1320, 840, 2415, 1455);
        row("Image3(1)", "", 240, 2160, 900, 915);
        row("Label1(21)",
            "If the page will be used on your local machine as an index for pictures, you "
            "probably don't want the extra copies hanging around.",
            1320, 2280, 2415, 975);
        row("optCopy(0)", "Copy the picture files", 600, 3360, 3375, 255);
        row("optCopy(1)", "Don't copy any files", 600, 3720, 3375, 255);
        // Page 7, Output
        row("Label1(23)",
            "The only remaining step is to choose the location of your output files.  When you "
            "click \"Fin\" below, you will be prompted to choose a folder.  If you selected one, "
            "output will begin immediately.",
            120, 120, 3735, 975);
        row("Label1(24)",
            "If you plan to upload this to your web server, you should probably create a new "
            "folder to put everything in to avoid sending any extra files off.",
            120, 1080, 3615, 855);
        row("Label1(22)", "If you want to change the name of the thumbnails file, enter it here. ",
            120, 2160, 3375, 615);
        row("txtFilename", "vintora.htm", 360, 2880, 3135, 285);
        placed("lblTitle", "Page title", QRect(8, 213, 60, 17));
        placed("txtTitle", "", QRect(72, 212, 185, 19));
        row("labStatus", "When you're ready, click \"Fin\"...", 120, 3480, 3495, 495);
        // The window's own controls
        row("picFrame(0)", "", 2880, 120, 3975, 4215);
        row("picFrame(7)", "", 2880, 120, 3975, 4215);
        row("btnBack", "", 3840, 4560, 1335, 540);
        row("btnFore", "", 5400, 4560, 1335, 540);
        row("btnFin", "", 5400, 4560, 1335, 540);
        row("lblVersion", "Version 2.0.4", 1320, 5040, 1335, 255);
    }

    void texts_and_places()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, place);
        WizardFixture w;
        auto *widget = w.find(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(textOf(widget), text);
        QCOMPARE(widget->pos(), place.topLeft());
        if (place.width() > 0)
            QCOMPARE(widget->size(), place.size());
    }

    void every_label_index_is_catalogued()
    {
        WizardFixture w;
        for (int i = 0; i < 28; ++i)
            QVERIFY2(w.find<QLabel>(QString("Label1(%1)").arg(i)), qPrintable(QString::number(i)));
        const QRegularExpression label1("^Label1\\(");
        QCOMPARE(w.window->findChildren<QLabel *>(label1).size(), 28);
    }

    void start_selections()
    {
        WizardFixture w;
        QVERIFY(w.find<QRadioButton>("optStyle(0)")->isChecked());
        QVERIFY(!w.find<QRadioButton>("optStyle(1)")->isChecked());
        QCOMPARE(w.find<QCheckBox>("chkModern")->checkState(), Qt::Unchecked);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(align(w, i)->isChecked(), i == 1 || i == 4);
        QVERIFY(w.find<QRadioButton>("optsize(0)")->isChecked());
        QVERIFY(!w.find<QRadioButton>("optsize(1)")->isChecked());
        QCOMPARE(w.find<QCheckBox>("Check1(0)")->checkState(), Qt::Unchecked);
        QCOMPARE(w.find<QCheckBox>("Check1(1)")->checkState(), Qt::Unchecked);
        QVERIFY(w.find<QRadioButton>("optCopy(0)")->isChecked());
        const QListView *list = w.find<QListView>("lstFiles");
        QCOMPARE(list->model() ? list->model()->rowCount() : 0, 0);
        const ColorValue colours[] = {0x000000, 0xFF0000, 0x0000FF, 0xC000C0};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.find<ClickableLabel>(QString("pgpref(%1)").arg(i))->foreColor(), colours[i]);
        QCOMPARE(w.find<PictureBox>("picPreview")->backColor(), 0xFFFFFFu);
        QVERIFY(w.find<PictureBox>("picPreview")->tag().isEmpty());
        QCOMPARE(w.find<PictureBox>("picTable(0)")->backColor(), 0xFFFFFFu);
        QVERIFY(w.find<PictureBox>("picTable(1)")->tag().isEmpty());
        QVERIFY(w.find<PictureBox>("picTable(1)")->toolTip().isEmpty());
    }

    void option_groups_are_independent()
    {
        WizardFixture w;
        align(w, 0)->click();
        QVERIFY(align(w, 4)->isChecked()); // the vertical group keeps its choice
        align(w, 5)->click();
        QVERIFY(align(w, 0)->isChecked());
        QVERIFY(!align(w, 4)->isChecked());
    }

    void looks()
    {
        WizardFixture w;
        for (int i = 0; i < 4; ++i) {
            QVERIFY(w.find<QLineEdit>(QString("Text1(%1)").arg(i))->alignment() & Qt::AlignRight);
            QVERIFY(w.find<QLineEdit>(QString("txtSize(%1)").arg(i))->alignment() & Qt::AlignRight);
        }
        QVERIFY(w.find<QLineEdit>("txtFilename")->alignment() & Qt::AlignHCenter);
        for (const char *name : {"pgpref(4)", "pgpref(5)", "labTable(0)", "labTable(1)",
                                 "labGetFile(0)", "labGetFile(1)"}) {
            const QLabel *link = w.find<QLabel>(name);
            QVERIFY2(link->font().underline(), qPrintable(link->objectName()));
        }
        for (int i = 0; i < 4; ++i) {
            const QLabel *label = w.find<QLabel>(QString("pgpref(%1)").arg(i));
            QVERIFY(label->font().bold());
            QCOMPARE(label->parentWidget(), w.find("picPreview"));
        }
        QCOMPARE(w.w().versionLabel()->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(w.w().page(3)->palette().color(QPalette::Window), QColor(Qt::white));
    }

    void every_text_fits_its_place()
    {
        WizardFixture w;
        for (int i = 0; i < kPageCount; ++i) {
            const QWidget *page = w.w().page(i);
            for (QLabel *label : page->findChildren<QLabel *>()) {
                if (label->text().isEmpty() || !label->wordWrap())
                    continue;
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                         qPrintable(label->objectName()));
            }
            for (QAbstractButton *button : page->findChildren<QAbstractButton *>()) {
                QVERIFY2(button->sizeHint().width() <= button->width(),
                         qPrintable(button->objectName()));
                // A caption that wraps fits in its height.
                if (button->hasHeightForWidth())
                    QVERIFY2(button->heightForWidth(button->width()) <= button->height(),
                             qPrintable(button->objectName()));
            }
        }
    }

    void nothing_hidden_shows_in_the_window()
    {
        WizardFixture w;
        w.find("picFrame(7)"); // every page built
        for (const char *name : {"lstGetFiles", "picRender", "picTemp", "dlg"}) {
            const auto *widget = w.window->findChild<QWidget *>(QLatin1String(name));
            QVERIFY(!widget || !widget->isVisible());
        }
        const QRect client = w.window->rect();
        for (const QWidget *child : w.window->findChildren<QWidget *>()) {
            if (child->isVisible() && child->parentWidget() == w.window.get())
                QVERIFY2(client.contains(child->geometry()), qPrintable(child->objectName()));
        }
    }
};

QTEST_MAIN(TestWizardCatalogue)
#include "test_wizard_catalogue.moc"
