#pragma once

#include "controls/clickable_label.h"
#include "controls/picture_box.h"
#include "support/recording_url_opener.h"
#include "support/scripted_dialogs.h"
#include "wizard/fin_controller.h"
#include "wizard/pages/layout_style_page.h"
#include "wizard/pages/output_page.h"
#include "wizard/pages/packaging_page.h"
#include "wizard/pages/page_style_page.h"
#include "wizard/pages/pictures_page.h"
#include "wizard/pages/table_page.h"
#include "wizard/pages/thumbnails_page.h"
#include "wizard/pages/welcome_page.h"
#include "wizard/start_wizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// A started wizard on the offscreen platform, with helpers that click the
// real controls.
struct WizardFixture
{
    vintora::WizardSettings settings;
    ScriptedDialogs dialogs;
    RecordingUrlOpener urls;
    std::unique_ptr<vintora::WizardWindow> window = vintora::StartWizard(settings, dialogs, urls);

    WizardFixture()
    {
        QApplication::setActiveWindow(window.get());
        (void) QTest::qWaitForWindowActive(window.get());
    }

    vintora::WizardWindow &w() const { return *window; }
    int page() const { return settings.currentPage; }

    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void fore() { click(window->foreButton()); }
    void back() { click(window->backButton()); }

    // Clicks Fin and waits for the run, which goes on on a thread of its
    // own, to end.
    bool runFin() const
    {
        click(window->finButton());
        return runEnded();
    }
    // Waits for a run under way to end; at once when none is.
    bool runEnded() const
    {
        const vintora::FinController &fin = window->outputPage().finController();
        QSignalSpy ended(&fin, &vintora::FinController::runningChanged);
        return !fin.isRunning() || ended.wait(30000);
    }

    void type(QLineEdit *box, const QString &text)
    {
        box->selectAll();
        QTest::keyClicks(box, text.isEmpty() ? QString() : text);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
    }

    int visiblePages() const
    {
        int visible = 0;
        for (int i = 0; i < vintora::kPageCount; ++i)
            visible += window->isBuilt(i) && window->page(i)->isVisible() ? 1 : 0;
        return visible;
    }

    // Gives a link the focus as Tab would, and says how many pixels of its
    // text or picture (those not white without the focus) the focus frame
    // changes: 0 when the frame goes around them.
    static int framePixelsOnText(QWidget *link)
    {
        QWidget *parent = link->parentWidget();
        const QRect around = link->geometry().adjusted(-4, -4, 4, 4);
        link->setFocus(Qt::TabFocusReason);
        const QImage framed = parent->grab(around).toImage();
        link->clearFocus(); // the focus to no control, nor to the page
        const QImage plain = parent->grab(around).toImage();
        link->setFocus(Qt::TabFocusReason);
        int onText = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x)
                onText += plain.pixel(x, y) != framed.pixel(x, y)
                          && plain.pixelColor(x, y) != QColor(Qt::white);
        }
        return plain == framed ? -1 : onText; // -1: no frame at all
    }

    // A control by its catalogue name, with every page built.
    template<typename Widget = QWidget>
    Widget *find(const QString &name) const
    {
        for (int i = 0; i < vintora::kPageCount; ++i)
            window->page(i);
        return window->findChild<Widget *>(name);
    }
};
