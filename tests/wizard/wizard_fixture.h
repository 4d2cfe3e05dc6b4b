#pragma once

#include "support/recording_url_opener.h"
#include "support/scripted_dialogs.h"
#include "wizard/start_wizard.h"

#include <QApplication>
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

    const vintora::WizardControls &c() const { return window->controls(); }
    int page() const { return settings.currentPage; }

    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void fore() { click(c().btnFore); }
    void back() { click(c().btnBack); }

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
        for (QWidget *frame : c().picFrame)
            visible += frame->isVisible() ? 1 : 0;
        return visible;
    }
};
