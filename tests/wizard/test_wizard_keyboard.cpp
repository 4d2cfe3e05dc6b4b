// The wizard driven from the keyboard alone, and what screen readers hear.

#include "wizard_fixture.h"

#include "support/fixtures.h"

#include "pictures/picture_list.h"

#include <QAccessible>
#include <QTemporaryDir>

using namespace vintora;

namespace {

QString focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// A key as the user presses it: to the widget with the focus.
void press(QKeyCombination key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}

QString accessible(QWidget *widget, QAccessible::Text text)
{
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

} // namespace

class TestWizardKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void tab_and_enter_alone_make_a_page()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        writeFile(dir.filePath("pictures/a.jpg"), "a");
        QVERIFY(QDir().mkpath(out));
        WizardFixture w;
        w.dialogs.folders = {dir.filePath("pictures"), out, ""};
        press(Qt::Key_Return, 5);
        press(Qt::Key_Tab, 2);
        QCOMPARE(focusName(), QString("labGetFile(0)"));
        press(Qt::Key_Return);
        press(Qt::Key_Tab, 2); // past "Select files", to the page
        press(Qt::Key_Return, 2);
        press(Qt::Key_Enter); // Fin
        QCOMPARE(folderNames(out), (QStringList{"a.jpg", "vintora.htm"}));
        press(Qt::Key_Tab, 2);
        QCOMPARE(focusName(), QString("labOpenPage"));
        press(Qt::Key_Space);
        QCOMPARE(w.urls.opened, QList<QUrl>{QUrl::fromLocalFile(out + "/vintora.htm")});
        press(Qt::Key_Tab);
        press(Qt::Key_Return); // a new run, cancelled, hides the link again
        QVERIFY(w.w().outputPage().openPageLink()->isHidden());
        QCOMPARE(w.dialogs.unexpected, 0);
    }

    void alt_keys_and_enter_go_where_the_buttons_show()
    {
        WizardFixture w;
        press(Qt::ALT | Qt::Key_Left);
        press(Qt::ALT | Qt::Key_Right, 2);
        press(Qt::Key_Tab); // "I want tables": Alt+Right goes on, not to the next option
        press(Qt::ALT | Qt::Key_Right);
        QCOMPARE(w.settings.layoutStyle, QString("table"));
        press(Qt::Key_Tab, 3); // Enter in a text box goes on too
        QCOMPARE(focusName(), QString("Text1(2)"));
        press(Qt::Key_Enter);
        QCOMPARE(w.page(), 4);
        press(Qt::ALT | Qt::Key_Right, 4);
        QCOMPARE(w.page(), 7);
        press(Qt::ALT | Qt::Key_Left);
        QCOMPARE(w.page(), 6);
    }

    // Tab goes from the page through its controls in reading order and back;
    // each link shows a frame while focused and acts on Enter and Space.
    void tab_order_and_links_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("actions"); // dialogs and addresses opened
        QTest::newRow("Welcome") << 0 << QStringList{"Image4(0)", "Image4(1)", "Image4(2)"} << 3;
        QTest::newRow("Page style") << 1 << QStringList{"pgpref(0)", "pgpref(1)", "pgpref(2)",
                                                        "pgpref(3)", "pgpref(5)", "pgpref(4)"}
                                    << 6;
        QTest::newRow("Table") << 3
                               << QStringList{"Text1(0)",    "Text1(1)",         "Text1(2)",
                                              "Text1(3)",    "optTableAlign(0)", "optTableAlign(3)",
                                              "labTable(0)", "labTable(1)"}
                               << 2;
        QTest::newRow("Pictures") << 5 << QStringList{"lstFiles", "labGetFile(0)", "labGetFile(1)"}
                                  << 2;
    }
    void tab_order_and_links()
    {
        QFETCH(int, page);
        QFETCH(QStringList, order);
        QFETCH(int, actions);
        WizardFixture w;
        w.w().ShowPage(page);
        QStringList seen;
        for (press(Qt::Key_Tab); seen.size() < 20 && focusName() != w.w().page(page)->objectName();
             press(Qt::Key_Tab)) {
            seen.append(focusName());
            if (auto *link = qobject_cast<ClickableLabel *>(QApplication::focusWidget())) {
                const QImage framed = link->grab().toImage();
                link->clearFocus();
                QVERIFY(link->grab().toImage() != framed);
                link->setFocus(Qt::TabFocusReason);
                press(seen.size() % 2 ? Qt::Key_Return : Qt::Key_Space);
            }
        }
        QCOMPARE(seen, order);
        QCOMPARE(int(w.dialogs.calls.size() + w.urls.opened.size()), actions);
        QCOMPARE(w.page(), page);
    }

    void delete_removes_the_selected_entry()
    {
        WizardFixture w;
        w.w().ShowPage(kPicturesPage);
        PictureList &list = w.w().picturesPage().pictureList();
        list.append({"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg"});
        press(Qt::Key_Tab);
        press(Qt::Key_Delete); // nothing selected yet
        press(Qt::Key_Down);   // the second entry
        press(Qt::Key_Delete, 2);
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
        row("Image4(0)", "Readme", "Opens the read-me");
        row("Image4(1)", "Send mail", "Writes a mail to the maker");
        row("Image4(2)", "Web site", "Opens the maker's web site");
        row("picPreview", "Page colour: #FFFFFF", "Background picture: none");
        row("pgpref(1)", "HyperLink", "Link colour: #0000FF");
        row("picTable(1)", "Cell picture: none", "");
        row("txtSize(2)", "Width in percent", "");
        row("lstFiles", "Pictures to include, 0 entries",
            "Delete removes the selected entry; files and folders dropped here are added");
    }
    void accessible_names()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, description);
        WizardFixture w;
        QCOMPARE(accessible(w.find(control), QAccessible::Name), name);
        QCOMPARE(accessible(w.find(control), QAccessible::Description), description);
    }

    void accessible_values_follow_the_choices()
    {
        WizardFixture w;
        w.dialogs.colors = {QColor(0x3B, 0x2F, 0x2F)};
        w.w().ShowPage(kPageStylePage);
        w.click(w.find<ClickableLabel>("pgpref(4)"));
        w.w().picturesPage().pictureList().append({"/p/1.jpg", "/p/2.jpg"});
        QCOMPARE(accessible(w.find("picPreview"), QAccessible::Name),
                 QString("Page colour: #3B2F2F"));
        QCOMPARE(accessible(w.find("lstFiles"), QAccessible::Name),
                 QString("Pictures to include, 2 entries"));
        // Every control a screen reader lands on says what it is.
        w.find("picFrame(7)"); // every page built
        for (QWidget *widget : w.window->findChildren<QWidget *>()) {
            const auto *label = qobject_cast<QLabel *>(widget);
            const QString name = widget->objectName();
            if ((label && label->pixmap().isNull()) || name.isEmpty() || name.startsWith("qt_")
                || name.startsWith("Line1"))
                continue;
            QVERIFY2(!accessible(widget, QAccessible::Name).isEmpty(),
                     qPrintable(widget->objectName()));
        }
    }
};

QTEST_MAIN(TestWizardKeyboard)
#include "test_wizard_keyboard.moc"
