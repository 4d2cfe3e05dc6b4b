// The wizard driven from the keyboard alone, and what screen readers hear.

#include "wizard_fixture.h"

#include "support/fixtures.h"

#include "controls/focus_list_view.h"
#include "wizard/picture_list.h"

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

// The number of the page a control lies on.
int pageOf(QWidget *control)
{
    for (QWidget *up = control; up; up = up->parentWidget()) {
        if (const auto *page = qobject_cast<WizardPage *>(up))
            return page->number();
    }
    return -1;
}

// A key held down on the widget with the focus: pressed, repeated while
// held, released.
void hold(Qt::Key key, int repeats)
{
    QWidget *focus = QApplication::focusWidget();
    const QString text = key == Qt::Key_Space ? QString(" ") : QString("\r");
    QTest::simulateEvent(focus, true, key, Qt::NoModifier, text, false);
    for (int i = 0; i < repeats; ++i)
        QTest::simulateEvent(focus, true, key, Qt::NoModifier, text, true);
    QTest::simulateEvent(focus, false, key, Qt::NoModifier, text, false);
}

// A click at a place in the window, to whatever lies uppermost there.
void clickAt(QWidget *window, QPoint place)
{
    QWidget *under = window->childAt(place);
    QVERIFY(under);
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(window, place));
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
        QVERIFY(w.runEnded());
        QCOMPARE(folderNames(out), (QStringList{"a.jpg", "vintora.htm"}));
        press(Qt::Key_Tab, 3); // the file name, the title, the link
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
        press(Qt::Key_Tab, 2); // "I want tables": Alt+Right goes on, not to the next option
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

    // Tab goes from the page through its controls in reading order and back
    // to the page, which then shows that it holds the focus; each link
    // shows a frame around its text or picture while focused and acts on
    // Enter and Space.
    void tab_order_and_links_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("actions"); // dialogs and addresses opened
        QTest::newRow("Welcome") << 0 << QStringList{"Image4(0)", "Image4(1)", "Image4(2)"} << 3;
        QTest::newRow("Page style") << 1 << QStringList{"pgpref(0)", "pgpref(1)", "pgpref(2)",
                                                        "pgpref(3)", "pgpref(5)", "pgpref(4)"}
                                    << 6;
        QTest::newRow("Layout style") << 2 << QStringList{"chkModern", "optStyle(0)"} << 0;
        QTest::newRow("Table") << 3
                               << QStringList{"Text1(0)",    "Text1(1)",         "Text1(2)",
                                              "Text1(3)",    "optTableAlign(1)", "optTableAlign(4)",
                                              "labTable(0)", "labTable(1)"}
                               << 2;
        QTest::newRow("Pictures") << 5 << QStringList{"lstFiles", "labGetFile(0)", "labGetFile(1)"}
                                  << 2;
        QTest::newRow("Output") << 7 << QStringList{"txtFilename", "txtTitle"} << 0;
    }
    void tab_order_and_links()
    {
        QFETCH(int, page);
        QFETCH(QStringList, order);
        QFETCH(int, actions);
        WizardFixture w;
        w.w().ShowPage(page);
        const QColor highlight = w.window->palette().color(QPalette::Highlight);
        QStringList seen;
        for (press(Qt::Key_Tab); seen.size() < 20 && focusName() != w.w().page(page)->objectName();
             press(Qt::Key_Tab)) {
            seen.append(focusName());
            if (auto *link = qobject_cast<ClickableLabel *>(QApplication::focusWidget())) {
                QCOMPARE(WizardFixture::framePixelsOnText(link), 0);
                press(seen.size() % 2 ? Qt::Key_Return : Qt::Key_Space);
            }
            if (auto *list = qobject_cast<FocusListView *>(QApplication::focusWidget())) {
                QVERIFY(list->showsFocusFrame()); // empty, with nothing else to show it
                QCOMPARE(list->grab().toImage().pixelColor(0, 9), highlight);
            }
        }
        QCOMPARE(seen, order);
        QCOMPARE(int(w.dialogs.calls.size() + w.urls.opened.size()), actions);
        QCOMPARE(w.page(), page);
        WizardPage *shown = w.w().page(page);
        QVERIFY(shown->hasFocus());
        QVERIFY(shown->showsFocusFrame());
        // The frame runs along the panel's edges, where no control lies.
        const auto leftEdge = [shown] {
            return shown->grab().toImage().pixelColor(0, shown->height() / 2);
        };
        QCOMPARE(leftEdge(), highlight);
        press(Qt::Key_Tab);
        QVERIFY(!shown->showsFocusFrame());
        QCOMPARE(leftEdge(), QColor(Qt::white));
    }

    // Tab into each option group lands on its chosen option, however it was
    // chosen, so that Space keeps the choice.
    void tab_lands_on_the_chosen_option_data()
    {
        QTest::addColumn<QString>("from");   // the control before the group
        QTest::addColumn<QString>("choose"); // clicked first, if any
        QTest::addColumn<QString>("lands");
        const auto row = [](const char *from, const char *choose, const char *lands) {
            QTest::newRow(lands) << from << choose << lands;
        };
        row("Text1(3)", "", "optTableAlign(1)");
        row("optTableAlign(1)", "", "optTableAlign(4)");
        row("Text1(3)", "optTableAlign(0)", "optTableAlign(0)");
        row("chkModern", "optStyle(1)", "optStyle(1)");
        row("txtSize(1)", "optsize(1)", "optsize(1)");
        row("picFrame(6)", "optCopy(1)", "optCopy(1)");
    }
    void tab_lands_on_the_chosen_option()
    {
        QFETCH(QString, from);
        QFETCH(QString, choose);
        QFETCH(QString, lands);
        WizardFixture w;
        QWidget *before = w.find(from);
        w.w().ShowPage(pageOf(before));
        if (!choose.isEmpty())
            w.click(w.find(choose));
        before->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), lands);
    }

    // Links and icons act once on each activation key, keypad Enter
    // included, and on a click at their place while they show the focus;
    // the page stays.
    void links_act_on_activation_keys_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("key"); // 0: a mouse click
        QTest::addColumn<int>("modifiers");
        for (const char *link : {"Image4(2)", "pgpref(0)", "pgpref(4)", "labGetFile(1)"}) {
            QTest::addRow("%s Return", link) << link << int(Qt::Key_Return) << 0;
            QTest::addRow("%s Enter", link) << link << int(Qt::Key_Enter) << 0;
            QTest::addRow("%s keypad Enter", link)
                    << link << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
            QTest::addRow("%s Space", link) << link << int(Qt::Key_Space) << 0;
        }
        QTest::newRow("pgpref(4) clicked while focused") << "pgpref(4)" << 0 << 0;
    }
    void links_act_on_activation_keys()
    {
        QFETCH(QString, link);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        WizardFixture w;
        QWidget *focused = w.find(link);
        const int page = pageOf(focused);
        w.w().ShowPage(page);
        focused->setFocus(Qt::TabFocusReason);
        if (key == 0)
            clickAt(w.window.get(), focused->mapTo(w.window.get(), focused->rect().center()));
        else
            QTest::keyClick(focused, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(w.dialogs.calls.size() + w.urls.opened.size()), 1);
        QCOMPARE(w.page(), page);
    }

    // A key held down acts once: on a link, one click and no page switch;
    // on the page, one page on (never on into Fin).
    void held_key_acts_once_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("actions");
        QTest::addColumn<int>("pageAfter");
        QTest::newRow("Return on Readme") << "Image4(0)" << int(Qt::Key_Return) << 1 << 0;
        QTest::newRow("Space on Readme") << "Image4(0)" << int(Qt::Key_Space) << 1 << 0;
        QTest::newRow("Return on the page") << "picFrame(0)" << int(Qt::Key_Return) << 0 << 1;
    }
    void held_key_acts_once()
    {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(int, actions);
        QFETCH(int, pageAfter);
        WizardFixture w;
        w.find(focused)->setFocus(Qt::TabFocusReason);
        hold(Qt::Key(key), 2);
        QCOMPARE(int(w.urls.opened.size()), actions);
        QCOMPARE(w.page(), pageAfter);
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
        row("picFrame(3)", "Table", "");
        row("picFrame(4)", "Thumbnails", "");
        row("picTable(1)", "Cell picture: none", "");
        // Each number box says what it holds and in which unit, in its
        // tooltip and to screen readers alike.
        row("Text1(0)", "Number of columns in table", "Number of columns, thumbnails in each row");
        row("Text1(1)", "Cell spacing", "Space between cells, in pixels");
        row("Text1(2)", "Cell padding",
            "Space between a cell's border and its thumbnail, in pixels");
        row("Text1(3)", "Border size", "Width of the table's border, in pixels (0 for none)");
        row("txtSize(0)", "Height in pixels", "Height of a thumbnail, in pixels");
        row("txtSize(1)", "Width in pixels", "Width of a thumbnail, in pixels");
        row("txtSize(2)", "Width in percent", "Width of a thumbnail, in percent of the window");
        row("txtSize(3)", "Height in percent", "Height of a thumbnail, in percent of the window");
        row("chkModern", "Make a modern page for phones and today's browsers", "");
        row("txtTitle", "Page title",
            "The title of the modern page; the classic page keeps its own");
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
        if (qobject_cast<QLineEdit *>(w.find(control)))
            QCOMPARE(w.find(control)->toolTip(), description);
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
