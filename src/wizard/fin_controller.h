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

// Runs the Fin run for the wizard window: run() reads the picture list and
// txtFilename, puts the page title box's text into the record's pageTitle,
// asks for the output folder with the folder chooser and shows
// every stage on labStatus, pumping events so that the window stays live.
// labStatus is small, so each status is also its tooltip, and a run that
// fails tells why in full in a message box owned by the owner's window.
//
// During a run a second run() starts nothing (runningChanged tells whoever
// holds the Fin button), the picture list is locked, and closing the owner's
// window asks the run to stop. The controller may even be destroyed mid-run
// (with its window): the run then stops at its next pump without touching
// the settings again and commits no page.
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
    // Asks a run in progress to stop at its next check; no effect otherwise.
    void requestCancel();
    // The outcome of the last run that ended; Refused with no status before
    // the first.
    const FinOutcome &lastOutcome() const { return m_lastOutcome; }

public slots:
    // What a click of btnFin does. Returns at once while a run is going on.
    void run();

signals:
    void statusChanged(const QString &status);
    void runningChanged(bool running);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct RunState;

    QPointer<QWidget> m_owner;
    Dialogs &m_dialogs;
    WizardSettings &m_settings;
    QPointer<PictureList> m_pictures;
    QPointer<QLineEdit> m_fileName;
    QPointer<QLabel> m_status;
    QPointer<QLineEdit> m_pageTitle;
    std::shared_ptr<RunState> m_run;
    FinOutcome m_lastOutcome;
};

} // namespace vintora
