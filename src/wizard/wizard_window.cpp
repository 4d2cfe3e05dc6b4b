#include "wizard/wizard_window.h"

#include "designer/page_style_designer.h"
#include "designer/table_cell_designer.h"
#include "generate/fin_controller.h"
#include "pictures/picture_list.h"
#include "shell/welcome_links.h"
#include "wizard/number_reading.h"
#include "wizard/twips.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

namespace vintora {

namespace {

// Marks a number box that holds no usable number until the user edits it.
void setMarked(QLineEdit *box, bool marked)
{
    if (box->property("problem").toBool() == marked)
        return;
    box->setProperty("problem", marked);
    box->setStyleSheet(marked ? QStringLiteral("QLineEdit { border: 1px solid #c62828; "
                                               "background: #fdecea; }")
                              : QString());
}

} // namespace

WizardWindow::WizardWindow(WizardSettings &settings, Dialogs &dialogs, UrlOpener &urls,
                           QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_sidebar(QStringLiteral(":/artwork/sidebar.png"))
{
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Quendry's Vintora"));
    setWindowIcon(QPixmap(QStringLiteral(":/artwork/vintora_icon.png")));

    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    setFont(font);

    // White window and pages; option buttons, frames and the check box take
    // the white background and window-text foreground from here.
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);

    setFixedSize(twipsToPixels(6960), twipsToPixels(5310));
    buildWizardControls(this, m_controls);

    for (QLineEdit *box : m_controls.Text1)
        connect(box, &QLineEdit::textEdited, box, [box] { setMarked(box, false); });
    for (QLineEdit *box : m_controls.txtSize)
        connect(box, &QLineEdit::textEdited, box, [box] { setMarked(box, false); });
    m_pageStyle = new PageStyleDesigner(
            this, dialogs, m_controls.pgpref, m_controls.picPreview,
            [this](const QString &line) { showProblem(kPageStylePage, line); }, this);
    m_tableCell = new TableCellDesigner(
            this, dialogs, m_controls.labTable, m_controls.picTable,
            [this](const QString &line) { showProblem(kTablePage, line); }, {}, this);
    m_welcomeLinks = new WelcomeLinks(urls, m_controls.Image4,
                                      QCoreApplication::applicationDirPath(), this);
    m_pictures = new PictureList(this, dialogs, this);
    m_pictures->connectView(m_controls.lstFiles);
    for (int i = 0; i < 2; ++i)
        connect(m_controls.labGetFile[i], &ClickableLabel::clicked, m_pictures,
                [this, i] { m_pictures->getFileClicked(i); });
    // The controller runs Fin on a click of btnFin, and stops a run when the
    // window closes.
    m_fin = new FinController(this, dialogs, m_settings, *m_pictures, m_controls.txtFilename,
                              m_controls.labStatus, m_controls.btnFin);

    connect(m_controls.btnFore, &ClickableLabel::clicked, this, &WizardWindow::ForeClicked);
    connect(m_controls.btnBack, &ClickableLabel::clicked, this, &WizardWindow::BackClicked);
}

WizardWindow::~WizardWindow() = default;

void WizardWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_sidebar);
}

void WizardWindow::HidePages(int page)
{
    for (QWidget *frame : m_controls.picFrame)
        frame->hide();
    m_controls.btnFore->show();
    m_controls.btnFin->hide();
    m_controls.btnBack->hide();
    if (page != kWelcomePage)
        m_controls.btnBack->show();
}

void WizardWindow::ShowPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    HidePages(page);

    std::optional<BadNumberBox> bad;
    switch (page) {
    case kLayoutStylePage:
        CapturePageStyle(m_settings, pageStyleControls());
        break;
    case kThumbnailsPage:
        bad = CaptureTable(m_settings, tableControls());
        break;
    case kPicturesPage:
        bad = CaptureThumbnails(m_settings, thumbnailControls());
        break;
    case kOutputPage:
        CapturePackaging(m_settings, packagingControls());
        break;
    default:
        break;
    }
    if (bad) {
        reportBadNumber(*bad, badNumberMessage());
        return;
    }

    clearMarks();
    for (int i = 0; i < kPageCount; ++i)
        showProblem(i, QString());
    m_controls.picFrame[page]->show();
    if (page == kOutputPage) {
        m_controls.btnFore->hide();
        m_controls.btnFin->show();
    }
    m_settings.currentPage = qint16(page);
}

void WizardWindow::ForeClicked()
{
    switch (m_settings.currentPage) {
    case kLayoutStylePage:
        if (m_controls.optStyle[0]->isChecked()) {
            m_settings.layoutStyle = QLatin1String(kLayoutTable);
            ShowPage(kTablePage);
        } else {
            m_settings.layoutStyle = QLatin1String(kLayoutGeneric);
            ShowPage(kThumbnailsPage);
        }
        break;
    case kTablePage: {
        // A table cannot be laid out without a column; refuse it here, where
        // the user can correct it, rather than at the end.
        const auto columns = readNumber(m_controls.Text1[0]->text());
        if (m_settings.layoutStyle == QLatin1String(kLayoutTable) && columns && *columns < 1) {
            reportBadNumber({QStringLiteral("Text1"), 0},
                            QStringLiteral("A table needs at least one column."));
            return;
        }
        ShowPage(kThumbnailsPage);
        break;
    }
    case kOutputPage:
        break;
    default:
        ShowPage(m_settings.currentPage + 1);
        break;
    }
}

void WizardWindow::BackClicked()
{
    switch (m_settings.currentPage) {
    case kWelcomePage:
        break;
    case kThumbnailsPage:
        ShowPage(m_settings.layoutStyle == QLatin1String(kLayoutTable) ? kTablePage
                                                                       : kLayoutStylePage);
        break;
    default:
        ShowPage(m_settings.currentPage - 1);
        break;
    }
}

QLineEdit *WizardWindow::numberBox(const BadNumberBox &box) const
{
    if (box.control == QLatin1String("Text1"))
        return m_controls.Text1.at(box.index);
    return m_controls.txtSize.at(box.index);
}

void WizardWindow::reportBadNumber(const BadNumberBox &box, const QString &message)
{
    // Show the page that holds the box, as if the user had just come to it,
    // and leave the record as it was.
    const int page = box.control == QLatin1String("Text1") ? kTablePage : kThumbnailsPage;
    HidePages(page);
    m_controls.picFrame[page]->show();
    m_settings.currentPage = qint16(page);

    QLineEdit *edit = numberBox(box);
    setMarked(edit, true);
    showProblem(page, message);
    edit->setFocus();
    edit->selectAll();
}

void WizardWindow::clearMarks()
{
    for (QLineEdit *box : m_controls.Text1)
        setMarked(box, false);
    for (QLineEdit *box : m_controls.txtSize)
        setMarked(box, false);
}

void WizardWindow::showProblem(int page, const QString &text)
{
    QLabel *line = m_controls.problemLine.at(page);
    line->setText(text);
    line->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        line->raise();
}

QString WizardWindow::problemText(int page) const
{
    return m_controls.problemLine.at(page)->text();
}

PageStyleControls WizardWindow::pageStyleControls() const
{
    return m_pageStyle->controls();
}

TableControls WizardWindow::tableControls() const
{
    TableControls c;
    for (int i = 0; i < 4; ++i)
        c.numberTexts[i] = m_controls.Text1[i]->text();
    m_tableCell->fillControls(c);
    for (int i = 0; i < 6; ++i)
        c.alignOptions[i]
                = {m_controls.optTableAlign[i]->isChecked(), m_controls.optTableAlign[i]->text()};
    return c;
}

ThumbnailControls WizardWindow::thumbnailControls() const
{
    ThumbnailControls c;
    c.uniformChosen = m_controls.optsize[0]->isChecked();
    for (int i = 0; i < 4; ++i)
        c.sizeTexts[i] = m_controls.txtSize[i]->text();
    c.borders = static_cast<CheckState>(m_controls.Check1[0]->checkState());
    return c;
}

PackagingControls WizardWindow::packagingControls() const
{
    return {m_controls.optCopy[0]->isChecked()};
}

} // namespace vintora
