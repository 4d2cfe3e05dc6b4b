#include "wizard/wizard_window.h"

#include "base/twips.h"
#include "wizard/artwork.h"
#include "wizard/pages/layout_style_page.h"
#include "wizard/pages/output_page.h"
#include "wizard/pages/packaging_page.h"
#include "wizard/pages/page_style_page.h"
#include "wizard/pages/page_widgets.h"
#include "wizard/pages/pictures_page.h"
#include "wizard/pages/table_page.h"
#include "wizard/pages/text_fitting.h"
#include "wizard/pages/thumbnails_page.h"
#include "wizard/pages/welcome_page.h"
#include "wizard/picture_list.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QShortcut>

#include <algorithm>

namespace vintora {

WizardWindow::WizardWindow(WizardSettings &settings, Dialogs &dialogs, UrlOpener &urls,
                           QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_sidebar(artwork("sidebar"))
{
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Quendry's Vintora"));
    setWindowIcon(artworkIcon("vintora_icon"));

    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kLargestTextSize);
    setFont(font);

    // White window and pages; option buttons, frames and the check box take
    // the white background and window-text foreground from here.
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);
    setFixedSize(twipsToPixels(6960), twipsToPixels(5310));

    m_back = imageButton(this, QStringLiteral("btnBack"), "button_back", twipsPoint(3840, 4560));
    m_fore = imageButton(this, QStringLiteral("btnFore"), "button_fore", twipsPoint(5400, 4560));
    m_fin = imageButton(this, QStringLiteral("btnFin"), "button_fin", twipsPoint(5400, 4560));
    m_back->hide();
    m_fin->hide();
    m_back->setAccessibleName(QStringLiteral("Back"));
    m_back->setAccessibleDescription(QStringLiteral("The page before (Alt+Left)"));
    m_fore->setAccessibleName(QStringLiteral("Next"));
    m_fore->setAccessibleDescription(QStringLiteral("The next page (Enter or Alt+Right)"));
    m_fin->setAccessibleName(QStringLiteral("Fin"));
    m_fin->setAccessibleDescription(
            QStringLiteral("Choose the output folder and write the page (Enter)"));

    m_version = place(new QLabel(QStringLiteral("Label2"), this), QStringLiteral("lblVersion"),
                      twipsRect(1320, 5040, 1335, 255));
    m_version->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette versionPalette = m_version->palette();
    versionPalette.setColor(QPalette::WindowText, Qt::white);
    m_version->setPalette(versionPalette);

    auto *line = place(new QFrame(this), catalogueName("Line1", 0),
                       QRect(twipsPoint(2880, 4440), QSize(twipsToPixels(6840 - 2880), 1)));
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setLineWidth(1);

    m_makePage = {
            [this, &urls] { return new WelcomePage(this, urls); },
            [this, &dialogs] { return new PageStylePage(this, dialogs); },
            [this] {
                auto *layout = new LayoutStylePage(this);
                connect(layout->modernCheck(), &QCheckBox::toggled, this,
                        &WizardWindow::followModernPage);
                return layout;
            },
            [this, &dialogs] { return new TablePage(this, dialogs); },
            [this] { return makeThumbnailsPage(); },
            [this, &dialogs] { return makePicturesPage(dialogs); },
            [this] { return new PackagingPage(this); },
            [this, &dialogs, &urls] {
                auto *output = new OutputPage(this, dialogs, urls, m_settings,
                                              picturesPage().pictureList());
                connect(m_fin, &ClickableLabel::clicked, output, &OutputPage::finish);
                connect(output, &OutputPage::runningChanged, m_fin,
                        [this](bool running) { m_fin->setEnabled(!running); });
                return output;
            },
    };
    connect(m_fore, &ClickableLabel::clicked, this, &WizardWindow::ForeClicked);
    connect(m_back, &ClickableLabel::clicked, this, &WizardWindow::BackClicked);
    addKeys();

    chooseTextSize();
}

WizardWindow::~WizardWindow() = default;

PicturesPage *WizardWindow::makePicturesPage(Dialogs &dialogs)
{
    auto *pictures = new PicturesPage(this, dialogs);
    // With the modern page's albums, a folder brings its tree.
    pictures->pictureList().setTreeWanted(
            [this] { return m_settings.modernPage == kTrue && m_settings.makeAlbums == kTrue; });
    return pictures;
}

void WizardWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    // In bands of 64 rows of the picture: Qt shares a taller copy out to
    // its thread pool, and starting those threads for the first paint takes
    // longer than the copy itself. The picture drawn at twice the size
    // covers the same place.
    constexpr int kBand = 64;
    const qreal ratio = m_sidebar.devicePixelRatio();
    for (int top = 0; top < m_sidebar.height(); top += kBand) {
        const int rows = std::min(kBand, m_sidebar.height() - top);
        painter.drawPixmap(QPointF(0, top / ratio), m_sidebar,
                           QRectF(0, top, m_sidebar.width(), rows));
    }
}

WizardPage *WizardWindow::page(int number)
{
    if (number < 0 || number >= kPageCount)
        return nullptr;
    if (!m_pages[number]) {
        WizardPage *built = m_makePage[number]();
        m_pages[number] = built;
        built->followWindowFont(font().pointSizeF());
        if (m_textSizeChosen)
            built->shrinkTextsThatDoNotFit();
    }
    return m_pages[number];
}

bool WizardWindow::isBuilt(int number) const
{
    return number >= 0 && number < kPageCount && m_pages[number];
}

WelcomePage &WizardWindow::welcomePage()
{
    return typedPage<WelcomePage>(kWelcomePage);
}

PageStylePage &WizardWindow::pageStylePage()
{
    return typedPage<PageStylePage>(kPageStylePage);
}

LayoutStylePage &WizardWindow::layoutStylePage()
{
    return typedPage<LayoutStylePage>(kLayoutStylePage);
}

TablePage &WizardWindow::tablePage()
{
    return typedPage<TablePage>(kTablePage);
}

ThumbnailsPage &WizardWindow::thumbnailsPage()
{
    return typedPage<ThumbnailsPage>(kThumbnailsPage);
}

PicturesPage &WizardWindow::picturesPage()
{
    return typedPage<PicturesPage>(kPicturesPage);
}

PackagingPage &WizardWindow::packagingPage()
{
    return typedPage<PackagingPage>(kPackagingPage);
}

OutputPage &WizardWindow::outputPage()
{
    return typedPage<OutputPage>(kOutputPage);
}

// Every text is placed for the largest size; the window takes the largest
// size down to the smallest window size at which every text fits. One text
// that does not fit rules a size out, so only the pages needed to find one
// are built here. At the smallest size, each page shrinks its own texts that
// still do not fit, here or when it is built.
void WizardWindow::chooseTextSize()
{
    for (double size = kLargestTextSize; size > kSmallestWindowTextSize; size -= kTextSizeStep) {
        setPointSize(this, size);
        if (everyTextFits()) {
            m_textSizeChosen = true;
            return;
        }
    }
    setPointSize(this, kSmallestWindowTextSize);
    m_textSizeChosen = true;
    for (WizardPage *built : m_pages) {
        if (built) {
            built->followWindowFont(kSmallestWindowTextSize);
            built->shrinkTextsThatDoNotFit();
        }
    }
}

bool WizardWindow::everyTextFits()
{
    for (int number = 0; number < kPageCount; ++number) {
        WizardPage *checked = page(number);
        checked->followWindowFont(font().pointSizeF());
        if (!checked->everyTextFits())
            return false;
    }
    return true;
}

ThumbnailsPage *WizardWindow::makeThumbnailsPage()
{
    auto *thumbnails = new ThumbnailsPage(this);
    // Thumbnails read the phones' formats: folders list them.
    connect(thumbnails->thumbnailFilesCheck(), &QCheckBox::toggled, this, [this](bool made) {
        picturesPage().pictureList().setPictureKinds(made ? PictureKinds::WithPhoneFormats
                                                          : PictureKinds::Classic);
    });
    return thumbnails;
}

void WizardWindow::followModernPage(bool modern)
{
    thumbnailsPage().followModernPage(modern);
    outputPage().followModernPage(modern);
}

void WizardWindow::HidePages(int page)
{
    for (WizardPage *built : m_pages) {
        if (built)
            built->hide();
    }
    m_fore->show();
    m_fin->hide();
    m_back->hide();
    if (page != kWelcomePage)
        m_back->show();
}

void WizardWindow::ShowPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    HidePages(page);

    // Entering a page captures the page before it in the forward order
    // (pages without choices of their own capture nothing).
    if (page > 0) {
        WizardPage &completed = *this->page(page - 1);
        if (!completed.capture(m_settings)) {
            showRefused(completed);
            return;
        }
    }

    for (WizardPage *built : m_pages) {
        if (built)
            built->clearProblems();
    }
    WizardPage *shown = this->page(page);
    shown->captureOnEntry(m_settings);
    shown->show();
    if (page == kPageCount - 1) {
        m_fore->hide();
        m_fin->show();
    }
    m_settings.currentPage = qint16(page);
    shown->setFocus(Qt::OtherFocusReason);
}

void WizardWindow::showRefused(WizardPage &refused)
{
    // The page that holds the box shows, as if the user had just come to
    // it, and the record stays as it was.
    HidePages(refused.number());
    refused.show();
    m_settings.currentPage = qint16(refused.number());
    refused.setFocus(Qt::OtherFocusReason);
    refused.focusMarkedBox();
}

int WizardWindow::pageOnTheWay(int from, int step)
{
    int to = from + step;
    while (to > 0 && to < kPageCount - 1 && !page(to)->isOnTheWay(m_settings))
        to += step;
    return to;
}

void WizardWindow::ForeClicked()
{
    const int from = m_settings.currentPage;
    if (from >= kPageCount - 1 || !page(from)->leaveForward(m_settings))
        return;
    ShowPage(pageOnTheWay(from, 1));
}

void WizardWindow::BackClicked()
{
    const int from = m_settings.currentPage;
    if (from <= 0)
        return;
    ShowPage(pageOnTheWay(from, -1));
}

void WizardWindow::EnterPressed()
{
    if (!m_fore->isHidden())
        ForeClicked();
    else if (!m_fin->isHidden() && m_fin->isEnabled())
        outputPage().finish();
}

void WizardWindow::addKeys()
{
    const auto key = [this](QKeyCombination combination, void (WizardWindow::*act)()) {
        auto *shortcut = new QShortcut(QKeySequence(combination), this);
        connect(shortcut, &QShortcut::activated, this, act);
        return shortcut;
    };
    // A held Enter goes on once: its repeats would run through the pages
    // and on into Fin.
    key(Qt::Key_Return, &WizardWindow::EnterPressed)->setAutoRepeat(false);
    key(Qt::Key_Enter, &WizardWindow::EnterPressed)->setAutoRepeat(false);
    key(Qt::ALT | Qt::Key_Right, &WizardWindow::ForeClicked);
    key(Qt::ALT | Qt::Key_Left, &WizardWindow::BackClicked);
}

} // namespace vintora
