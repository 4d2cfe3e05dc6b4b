#include "wizard/fin_controller.h"

#include "desktop/folder_chooser.h"
#include "wizard/picture_list.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QThread>

namespace vintora {

// The run going on: what stops it, the thread it runs on, and what it
// locked.
struct FinController::Run
{
    StopRequest stop;
    std::unique_ptr<QThread> thread;
    QPointer<QWidget> window; // watched for its close
    bool listWasLocked = false;
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
    if (!m_run)
        return;
    // The run's last calls to this controller are queued and go with it.
    m_run->stop.request();
    if (m_run->thread)
        m_run->thread->wait();
    if (m_pictures)
        m_pictures->setLocked(m_run->listWasLocked);
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
    if (m_pageTitle)
        m_settings.pageTitle = m_pageTitle->text();
    FinRequest request{m_settings, m_pictures->entries(),
                       m_fileName ? m_fileName->text() : QString(), QString()};
    FinOptions options;
    options.pictureFolder = m_pictures->firstFolder();
    options.pictureFolders = m_pictures->folders();

    m_run = std::make_unique<Run>();
    m_run->listWasLocked = m_pictures->isLocked();
    m_run->window = m_owner ? m_owner->window() : nullptr;
    m_pictures->setLocked(true);
    if (m_run->window)
        m_run->window->installEventFilter(this);
    emit runningChanged(true);

    if (const std::optional<FinOutcome> refusal = RefusalBeforeFolder(request)) {
        showProgress({FinProgress::Phase::Ended, 0, 0, QString(), refusal->status});
        finishRun(*refusal);
        return;
    }
    showProgress({FinProgress::Phase::SelectingFolder, 0, 0, QString(), QString()});
    const QPointer<FinController> alive(this);
    request.outputFolder = BrowseForFolder(m_dialogs, m_owner, QLatin1String(kOutputFolderTitle));
    if (alive)
        startRun(std::move(request), std::move(options));
}

void FinController::startRun(FinRequest request, FinOptions options)
{
    // The thread reaches this controller only through queued calls, which
    // run on the GUI thread; the controller waits for the thread before it
    // goes, so it is there for every call.
    m_run->thread.reset(QThread::create([this, request = std::move(request),
                                         options = std::move(options), stop = &m_run->stop] {
        const auto progress = [this](const FinProgress &step) {
            QMetaObject::invokeMethod(
                    this, [this, step] { showProgress(step); }, Qt::QueuedConnection);
        };
        const FinOutcome outcome = RunFin(request, progress, *stop, options);
        QMetaObject::invokeMethod(
                this, [this, outcome] { finishRun(outcome); }, Qt::QueuedConnection);
    }));
    m_run->thread->start();
}

void FinController::showProgress(const FinProgress &progress)
{
    const QString text = StatusText(progress);
    if (m_status) {
        m_status->setText(text);
        m_status->setToolTip(text);
    }
    emit statusChanged(text);
}

void FinController::finishRun(const FinOutcome &outcome)
{
    if (m_run->thread)
        m_run->thread->wait(); // sending this was its last act
    if (m_pictures)
        m_pictures->setLocked(m_run->listWasLocked);
    if (m_run->window)
        m_run->window->removeEventFilter(this);
    m_run.reset();

    // Pictures left out are named where the whole story of the run is read.
    if (m_status && !outcome.notes.isEmpty())
        m_status->setToolTip(outcome.status + QLatin1String("\n\n")
                             + outcome.notes.join(QLatin1Char('\n')));
    m_lastOutcome = outcome;
    emit runningChanged(false);
    if (outcome.result == FinResult::Failed)
        m_dialogs.showFailure(m_owner ? m_owner->window() : nullptr, outcome.status);
}

} // namespace vintora
