#include "wizard/pages/output_page.h"

#include "base/file_name_bytes.h"
#include "base/twips.h"
#include "desktop/url_opener.h"
#include "output/page_name.h"
#include "settings/start_values.h"
#include "wizard/fin_controller.h"
#include "wizard/pages/page_widgets.h"

namespace vintora {

OutputPage::OutputPage(QWidget *window, Dialogs &dialogs, UrlOpener &urls, WizardSettings &settings,
                       PictureList &pictures)
    : WizardPage(kOutputPage, window), m_urls(urls)
{
    staticText(this, 23,
               QStringLiteral("The only remaining step is to choose the location of your output "
                              "files.  When you click \"Fin\" below, you will be prompted to "
                              "choose a folder.  If you selected one, output will begin "
                              "immediately."),
               twipsRect(120, 120, 3735, 975));
    staticText(this, 24,
               QStringLiteral("If you plan to upload this to your web server, you should probably "
                              "create a new folder to put everything in to avoid sending any "
                              "extra files off."),
               twipsRect(120, 1080, 3615, 855));
    staticText(this, 22,
               QStringLiteral("If you want to change the name of the thumbnails file, enter it "
                              "here. "),
               twipsRect(120, 2160, 3375, 615));
    m_fileNameBox = place(new QLineEdit(QLatin1String(kStartValues.pageName), this),
                          QStringLiteral("txtFilename"), twipsRect(360, 2880, 3135, 285));
    m_fileNameBox->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    connect(m_fileNameBox, &QLineEdit::textEdited, this, [this] { m_nameTyped = true; });
    // Between the file name and the status line, from the texts' left edge
    // to their right edge: wide enough for a title of 30 characters.
    auto *titleLabel = place(new QLabel(QStringLiteral("Page title"), this),
                             QStringLiteral("lblTitle"), twipsRect(120, 3195, 900, 255));
    titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_titleBox = place(new QLineEdit(QLatin1String(kStartValues.pageTitle), this),
                       QStringLiteral("txtTitle"), twipsRect(1080, 3180, 2775, 285));
    // Left empty, the modern page takes the name of the pictures' folder.
    m_titleBox->setPlaceholderText(QStringLiteral("The folder's name"));
    titleLabel->setBuddy(m_titleBox);
    m_statusLine = place(new QLabel(QStringLiteral("When you're ready, click \"Fin\"..."), this),
                         QStringLiteral("labStatus"), twipsRect(120, 3480, 3495, 495));
    m_statusLine->setWordWrap(true);
    m_statusLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_statusLine->setAutoFillBackground(true);
    m_statusLine->setBackgroundRole(QPalette::Base);
    m_statusLine->setForegroundRole(QPalette::Text);

    m_fileNameBox->setAccessibleName(QStringLiteral("Name of the page file"));
    m_titleBox->setAccessibleName(QStringLiteral("Page title"));
    m_titleBox->setToolTip(QStringLiteral("The title of the modern page; the classic page keeps "
                                          "its own"));
    m_titleBox->setAccessibleDescription(m_titleBox->toolTip());
    m_openPageLink = linkLabel(this, "labOpenPage", 0, QStringLiteral("Open the page"),
                               twipsRect(120, 3990, 3495, 225));
    m_openPageLink->setObjectName(QStringLiteral("labOpenPage"));
    m_openPageLink->hide();
    connect(m_openPageLink, &ClickableLabel::clicked, this, &OutputPage::openPage);

    m_fin = new FinController(window, dialogs, settings, pictures, m_fileNameBox, m_statusLine,
                              m_titleBox);
    connect(m_fin, &FinController::runningChanged, this, &OutputPage::runningChange);
}

void OutputPage::captureOnEntry(WizardSettings &settings)
{
    settings.pageTitle = m_titleBox->text();
}

void OutputPage::followModernPage(bool modern)
{
    // A name the user typed stays; otherwise each kind of page its own.
    if (m_nameTyped)
        return;
    m_fileNameBox->setText(
            QLatin1String(modern ? kStartValues.modernPageName : kStartValues.pageName));
}

void OutputPage::runningChange(bool running)
{
    const FinOutcome &outcome = m_fin->lastOutcome();
    const bool written = !running && outcome.result == FinResult::Finished;
    m_writtenPage = written ? outcome.pagePath : QString();
    m_openPageLink->setAccessibleDescription(DisplayFileName(m_writtenPage));
    m_openPageLink->setVisible(written);
    emit runningChanged(running);
}

void OutputPage::openPage()
{
    if (!m_writtenPage.isEmpty())
        m_urls.open(localFileUrl(m_writtenPage));
}

void OutputPage::finish()
{
    if (m_fin->isRunning())
        return;
    // The page always goes straight into the chosen folder.
    const QString problem = PageNameProblem(m_fileNameBox->text());
    if (!problem.isEmpty()) {
        markBox(m_fileNameBox, problem,
                [](const QString &name) { return PageNameProblem(name).isEmpty(); });
        return;
    }
    m_fin->run();
}

} // namespace vintora
