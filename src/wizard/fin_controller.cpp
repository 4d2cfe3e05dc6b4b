#include "wizard/fin_controller.h"

#include "desktop/folder_chooser.h"
#include "wizard/picture_list.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace vintora {

// What the run's hooks reach. It outlives the controller when the window
// goes away mid-run, so the hooks never touch a destroyed object.
struct FinController::RunState
{
    QPointer<FinController> controller;
    QPointer<QLabel> status;
    QPointer<QWidget> window; // watched for its close
    StopRequest stop;
};

FinController::FinController(QWidget *owner, Dialogs &dialogs, WizardSettings &settings,
                             PictureList &pictures, QLineEdit *fileName, QLabel *status,
                             QLineEdit *pageTitle)
    : QObject(owner)
    , m_owner(owner)
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_pictures(&pictures)
    , m_fileName(fileName)
    , m_status(status)
    , m_pageTitle(pageTitle)
{}

FinController::~FinController()
{
    if (m_run)
        m_run->stop.request();
}

void FinController::requestCancel()
{
    if (m_run)
        m_run->stop.request();
}

bool FinController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && m_run && watched == m_run->window)
        requestCancel();
    return QObject::eventFilter(watched, event);
}

void FinController::run()
{
    if (m_run || !m_pictures)
        return;

    const auto state = std::make_shared<RunState>();
    state->controller = this;
    state->status = m_status;
    state->window = m_owner ? m_owner->window() : nullptr;
    m_run = state;

    if (m_pageTitle)
        m_settings.pageTitle = m_pageTitle->text();
    FinRequest request{m_settings, m_pictures->entries(),
                       m_fileName ? m_fileName->text() : QString(), QString()};
    // Each status is shown, and the events it lets through handled, before
    // the run goes on. What they do may even destroy the controller.
    const auto show = [state](const FinProgress &progress) {
        const QString text = StatusText(progress);
        if (state->status) {
            state->status->setText(text);
            state->status->setToolTip(text);
        }
        if (state->controller)
            emit state->controller->statusChanged(text);
        if (progress.isStep() || progress.phase == FinProgress::Phase::SelectingFolder)
            QCoreApplication::processEvents();
        if (!state->controller)
            state->stop.request();
    };
    FinOutcome outcome;
    {
        // Everything the run locks is given back however it ends; the
        // objects may be gone by then.
        struct Restore
        {
            QPointer<PictureList> pictures;
            bool wasLocked;
            QPointer<QWidget> window;
            QPointer<FinController> controller;

            ~Restore()
            {
                if (pictures)
                    pictures->setLocked(wasLocked);
                if (window && controller)
                    window->removeEventFilter(controller);
            }
        } restore{m_pictures, m_pictures->isLocked(), state->window, this};

        m_pictures->setLocked(true);
        if (state->window)
            state->window->installEventFilter(this);
        emit runningChanged(true);

        if (const std::optional<FinOutcome> refusal = RefusalBeforeFolder(request)) {
            outcome = *refusal;
            show({FinProgress::Phase::Ended, 0, 0, QString(), refusal->status});
        } else {
            show({FinProgress::Phase::SelectingFolder, 0, 0, QString(), QString()});
            if (state->controller)
                request.outputFolder
                        = BrowseForFolder(m_dialogs, m_owner, QLatin1String(kOutputFolderTitle));
            outcome = RunFin(request, show, state->stop);
        }
    }
    if (!state->controller)
        return; // destroyed mid-run

    // Pictures left out are named where the whole story of the run is read.
    if (m_status && !outcome.notes.isEmpty())
        m_status->setToolTip(outcome.status + QLatin1String("\n\n")
                             + outcome.notes.join(QLatin1Char('\n')));
    m_lastOutcome = outcome;
    m_run.reset();
    emit runningChanged(false);
    if (outcome.result == FinResult::Failed)
        m_dialogs.showFailure(m_owner ? m_owner->window() : nullptr, outcome.status);
}

} // namespace vintora
