// The wizard driven from the keyboard alone, as the window receives the
// keys, and what screen readers are told about its controls.

#include "wizard_fixture.h"

#include "support/fixtures.h"

#include "pictures/picture_list.h"

#include <QAccessible>
#include <QTemporaryDir>

using namespace vintora;

namespace {

// A key as the user presses it: it goes to the widget with the focus.
void press(QKeyCombination key)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key.key(), key.keyboardModifiers());
}

QString focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// Tab until the named control has the focus; false when it is never reached.
bool tabTo(const QString &name)
{
    for (int i = 0; i < 30 && focusName() != name; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return focusName() == name;
}

QString accessible(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(text) : QString("<none>");
}

} // namespace

class TestWizardKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void tab_and_enter_alone_make_a_page()
    {
        QTemporaryDir dir;
        const QString pictures = dir.filePath("pictures");
        const QString out = dir.filePath("out");
        writeFile(pictures + "/a.jpg", "a");
        writeFile(pictures + "/b.gif", "b");
        QVERIFY(QDir().mkpath(out));

        WizardFixture w;
        w.dialogs.folders = {pictures, out};
        QCOMPARE(focusName(), QString("picFrame(0)"));
        for (int i = 0; i < 5; ++i)
            press(Qt::Key_Return);
        QCOMPARE(w.page(), 5);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QString("labGetFile(0)"));
        press(Qt::Key_Return);
        QCOMPARE(w.w().picturesPage().pictureList().count(), 2);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab); // past "Select files" to the page
        QCOMPARE(focusName(), QString("picFrame(5)"));
        press(Qt::Key_Return);
        press(Qt::Key_Enter);
        QCOMPARE(w.page(), 7);
        press(Qt::Key_Return); // Fin
        QCOMPARE(w.w().outputPage().statusLine()->text(), QString("Finished!"));
        QCOMPARE(folderNames(out), (QStringList{"a.jpg", "b.gif", "vintora.htm"}));

        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QString("labOpenPage"));
        press(Qt::Key_Return);
        QCOMPARE(w.urls.opened, QList<QUrl>{QUrl::fromLocalFile(out + "/vintora.htm")});
        // A new run hides it again; this one writes nothing.
        w.dialogs.folders = {""};
        press(Qt::Key_Tab);
        press(Qt::Key_Return);
        QCOMPARE(w.w().outputPage().statusLine()->text(),
                 QString("No output folder chosen... no output..."));
        QVERIFY(w.w().outputPage().openPageLink()->isHidden());
        QCOMPARE(w.dialogs.unexpected, 0);
    }

    void alt_keys_and_enter_go_where_the_buttons_show()
    {
        WizardFixture w;
        press(Qt::ALT | Qt::Key_Left);
        QCOMPARE(w.page(), 0);
        press(Qt::ALT | Qt::Key_Right);
        press(Qt::ALT | Qt::Key_Right);
        QCOMPARE(w.page(), 2);
        // On an option button Alt+Right goes on instead of choosing the next.
        QVERIFY(tabTo("optStyle(0)"));
        press(Qt::ALT | Qt::Key_Right);
        QCOMPARE(w.page(), 3);
        QCOMPARE(w.settings.layoutStyle, QString("table"));
        // Enter in a text box, as on the page.
        QVERIFY(tabTo("Text1(2)"));
        press(Qt::Key_Enter);
        QCOMPARE(w.page(), 4);
        press(Qt::ALT | Qt::Key_Left);
        QCOMPARE(w.page(), 3);
        for (int i = 0; i < 5; ++i)
            press(Qt::ALT | Qt::Key_Right);
        QCOMPARE(w.page(), 7);
        press(Qt::ALT | Qt::Key_Right);
        QCOMPARE(w.page(), 7);
        press(Qt::ALT | Qt::Key_Left);
        QCOMPARE(w.page(), 6);
    }

    // Tab from the page goes through its controls in reading order and back
    // to the page.
    void tab_order_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Welcome") << 0 << QStringList{"Image4(0)", "Image4(1)", "Image4(2)"};
        QTest::newRow("Page style") << 1 << QStringList{"pgpref(0)", "pgpref(1)", "pgpref(2)",
                                                        "pgpref(3)", "pgpref(5)", "pgpref(4)"};
        // Each group of options is one stop; the arrow keys move within it.
        QTest::newRow("Table") << 3
                               << QStringList{"Text1(0)",    "Text1(1)",         "Text1(2)",
                                              "Text1(3)",    "optTableAlign(0)", "optTableAlign(3)",
                                              "labTable(0)", "labTable(1)"};
        QTest::newRow("Pictures") << 5 << QStringList{"lstFiles", "labGetFile(0)", "labGetFile(1)"};
        QTest::newRow("Output") << 7 << QStringList{"txtFilename"};
    }
    void tab_order()
    {
        QFETCH(int, page);
        QFETCH(QStringList, order);
        WizardFixture w;
        w.w().ShowPage(page);
        QStringList seen;
        for (press(Qt::Key_Tab); focusName() != w.w().page(page)->objectName() && seen.size() < 20;
             press(Qt::Key_Tab))
            seen.append(focusName());
        QCOMPARE(seen, order);
    }

    // A focused link acts on Enter and Space and shows a focus frame.
    void keys_on_a_focused_link_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opens"); // a dialog, or "url"
        QTest::newRow("Readme icon") << 0 << "Image4(0)" << int(Qt::Key_Return) << "url";
        QTest::newRow("Web icon") << 0 << "Image4(2)" << int(Qt::Key_Space) << "url";
        QTest::newRow("Text") << 1 << "pgpref(0)" << int(Qt::Key_Enter) << "color";
        QTest::newRow("Page Color") << 1 << "pgpref(4)" << int(Qt::Key_Space) << "color";
        QTest::newRow("Background Picture") << 1 << "pgpref(5)" << int(Qt::Key_Return) << "file";
        QTest::newRow("Cell Background") << 3 << "labTable(0)" << int(Qt::Key_Return) << "color";
        QTest::newRow("Cell Picture") << 3 << "labTable(1)" << int(Qt::Key_Space) << "file";
        QTest::newRow("Select a folder") << 5 << "labGetFile(0)" << int(Qt::Key_Return) << "folder";
        QTest::newRow("Select files") << 5 << "labGetFile(1)" << int(Qt::Key_Enter) << "file";
    }
    void keys_on_a_focused_link()
    {
        QFETCH(int, page);
        QFETCH(QString, link);
        QFETCH(int, key);
        QFETCH(QString, opens);
        WizardFixture w;
        w.w().ShowPage(page);
        QWidget *label = w.find(link);
        const QImage unfocused = label->grab().toImage();
        QVERIFY(tabTo(link));
        QVERIFY(label->grab().toImage() != unfocused);
        press(Qt::Key(key));
        QCOMPARE(w.page(), page);
        if (opens == "url") {
            QCOMPARE(w.urls.opened.size(), 1);
        } else {
            QCOMPARE(w.dialogs.calls.size(), 1);
            QCOMPARE(w.dialogs.calls.first().kind, opens);
        }
    }

    void delete_removes_the_selected_entry()
    {
        WizardFixture w;
        w.w().ShowPage(kPicturesPage);
        PictureList &list = w.w().picturesPage().pictureList();
        list.append({"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg"});
        QVERIFY(tabTo("lstFiles"));
        press(Qt::Key_Delete); // nothing selected yet
        QCOMPARE(list.count(), 4);
        press(Qt::Key_Down); // the second entry
        press(Qt::Key_Delete);
        press(Qt::Key_Delete); // the entry that moved up is selected
        QCOMPARE(list.entries(), (QStringList{"/p/1.jpg", "/p/4.jpg"}));
        QCOMPARE(w.w().picturesPage().countLine()->text(), QString("2 entries"));
    }

    void accessible_names_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        const auto row = [](const char *control, const char *name, const char *description) {
            QTest::newRow(control) << control << name << description;
        };
        row("btnBack", "Back", "The page before (Alt+Left)");
        row("btnFore", "Next", "The next page (Enter or Alt+Right)");
        row("btnFin", "Fin", "Choose the output folder and write the page (Enter)");
        row("picFrame(0)", "Welcome", "");
        row("Image4(0)", "Readme", "Opens the read-me");
        row("Image4(1)", "Send mail", "Writes a mail to the maker");
        row("Image4(2)", "Web site", "Opens the maker's web site");
        row("Image2", "An empty browser window", "");
        row("picPreview", "Page colour: #FFFFFF", "Background picture: none");
        row("pgpref(1)", "HyperLink", "Link colour: #0000FF");
        row("pgpref(3)", "Visited HyperLink", "Visited link colour: #C000C0");
        row("pgpref(4)", "Page Color", "Page colour: #FFFFFF");
        row("pgpref(5)", "Background Picture", "Background picture: none");
        row("Image1(1)", "Thumbnails flowing loosely in a browser window", "");
        row("Text1(0)", "Number of columns in table", "");
        row("Text1(3)", "Border size", "");
        row("picTable(0)", "Cell colour: #FFFFFF", "");
        row("labTable(0)", "Cell Background", "Cell colour: #FFFFFF");
        row("picTable(1)", "Cell picture: none", "");
        row("labTable(1)", "Cell Picture", "Cell picture: none");
        row("txtSize(0)", "Height in pixels", "");
        row("txtSize(2)", "Width in percent", "");
        row("lstFiles", "Pictures to include, 0 entries",
            "Delete removes the selected entry; files and folders dropped here are added");
        row("Image3(0)", "Pictures from several folders copied into one folder beside the page",
            "");
        row("txtFilename", "Name of the page file", "");
    }
    void accessible_names()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, description);
        WizardFixture w;
        QWidget *widget = w.find(control);
        QVERIFY(widget);
        QCOMPARE(accessible(widget, QAccessible::Name), name);
        QCOMPARE(accessible(widget, QAccessible::Description), description);
    }

    void accessible_values_follow_the_choices()
    {
        QTemporaryDir dir;
        const QString cell = dir.filePath("cell.png");
        QImage(4, 4, QImage::Format_RGB32).save(cell);
        WizardFixture w;
        w.dialogs.colors = {QColor(0x3B, 0x2F, 0x2F), QColor(0x12, 0xAB, 0xEF)};
        w.dialogs.files = {cell};
        w.w().ShowPage(kPageStylePage);
        w.click(w.find<ClickableLabel>("pgpref(4)"));
        w.click(w.find<ClickableLabel>("pgpref(0)"));
        w.w().ShowPage(kTablePage);
        w.click(w.find<ClickableLabel>("labTable(1)"));
        w.w().picturesPage().pictureList().append({"/p/1.jpg", "/p/2.jpg"});
        QCOMPARE(accessible(w.find("picPreview"), QAccessible::Name),
                 QString("Page colour: #3B2F2F"));
        QCOMPARE(accessible(w.find("pgpref(0)"), QAccessible::Description),
                 QString("Text colour: #12ABEF"));
        QCOMPARE(accessible(w.find("picTable(1)"), QAccessible::Name),
                 QString("Cell picture: cell.png"));
        QCOMPARE(accessible(w.find("lstFiles"), QAccessible::Name),
                 QString("Pictures to include, 2 entries"));
        // The swatch with a picture takes the focus after its link, and
        // Enter on it shows the picture.
        QCOMPARE(w.find("picTable(1)")->focusPolicy(), Qt::TabFocus);
    }

    // Every control a screen reader can land on says what it is.
    void every_control_has_a_name()
    {
        WizardFixture w;
        w.find("picFrame(7)"); // every page built
        for (QWidget *widget : w.window->findChildren<QWidget *>()) {
            const auto *label = qobject_cast<QLabel *>(widget);
            const bool text = label && label->pixmap().isNull();
            if (text || widget->objectName().startsWith("qt_") || widget->objectName().isEmpty()
                || widget->objectName().startsWith("Line1"))
                continue;
            QVERIFY2(!accessible(widget, QAccessible::Name).isEmpty(),
                     qPrintable(widget->objectName()));
        }
    }
};

QTEST_MAIN(TestWizardKeyboard)
#include "test_wizard_keyboard.moc"
