#pragma once

#include "desktop/dialogs.h"
#include "run/fin_run.h"
#include "settings/wizard_settings.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QLabel;
class QLineEdit;
class QWidget;

namespace vintora {

class PictureList;

// Runs the Fin run for the wizard window. run() takes the picture list,
// txtFilename and the record as they are at the click (with the page title
// box's text put into the record's pageTitle), asks for the output folder
// with the folder chooser, and then runs the rest on a thread of its own,
// so that the window stays live: the run works from what it took and never
// touches the window or the live record, so a page switch meanwhile changes
// nothing of it. Its progress reaches labStatus through queued calls.
// labStatus is small, so each status is also its tooltip, and a run that
// fails tells why in full in a message box owned by the owner's window.
//
// During a run a second run() starts nothing (runningChanged tells whoever
// holds the Fin button) and the picture list is locked. Closing the owner's
// window asks the run to stop between files, as requestCancel() does; the
// controller, destroyed with its window, waits for the run to finish the
// file it is making.
class FinController : public QObject
{
    Q_OBJECT

public:
    // owner: the wizard window, parent of the controller, of the folder
    // chooser and of the failure message. settings and pictures must outlive
    // the controller. fileName, status and pageTitle may be null (txtFilename
    // then reads as empty; without a title box the record's title stays).
    FinController(QWidget *owner, Dialogs &dialogs, WizardSettings &settings, PictureList &pictures,
                  QLineEdit *fileName, QLabel *status, QLineEdit *pageTitle = nullptr);
    ~FinController() override;

    bool isRunning() const { return m_run != nullptr; }
    // Asks a run in progress to stop between files; no effect otherwise.
    void requestCancel();
    // The outcome of the last run that ended; Refused with no status before
    // the first.
    const FinOutcome &lastOutcome() const { return m_lastOutcome; }

public slots:
    // What a click of btnFin does. Returns once the run is under way on its
    // thread (or has ended, refused); at once while a run is going on.
    void run();

signals:
    void statusChanged(const QString &status);
    void runningChanged(bool running);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Run;

    void startRun(FinRequest request, FinOptions options);
    void showProgress(const FinProgress &progress);
    void finishRun(const FinOutcome &outcome);

    QPointer<QWidget> m_owner;
    Dialogs &m_dialogs;
    WizardSettings &m_settings;
    QPointer<PictureList> m_pictures;
    QPointer<QLineEdit> m_fileName;
    QPointer<QLabel> m_status;
    QPointer<QLineEdit> m_pageTitle;
    std::unique_ptr<Run> m_run;
    FinOutcome m_lastOutcome;
};

} // namespace vintora
