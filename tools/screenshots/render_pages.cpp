// Renders every page of the wizard to PNG, for the README and for looking
// at the pages without a desktop:
//   vintora-screenshots OUTPUT_FOLDER [--scale 2]
//
// The window is active, as on a desktop, so the focus shows where it is:
// on each page as it starts, the page itself holds it. Besides the eight
// pages as they start, it renders the Table page with the focus on an
// alignment group, the Thumbnails page with a size box's tooltip, the Page
// style page with a tiled background and coloured labels and the Table page
// with a cell picture, chosen through scripted dialogs, the Table page
// refusing a column count that is no number, the Pictures page with
// entries, and the Output page after "Fin" with "Open the page" reached by
// Tab. With --scale 2 it renders them as a screen at 200 % shows them, into
// files named NAME@2x.png.

#include "controls/clickable_label.h"
#include "desktop/dialogs.h"
#include "desktop/url_opener.h"
#include "wizard/pages/output_page.h"
#include "wizard/pages/packaging_page.h"
#include "wizard/pages/page_style_page.h"
#include "wizard/pages/pictures_page.h"
#include "wizard/pages/table_page.h"
#include "wizard/pages/thumbnails_page.h"
#include "wizard/picture_list.h"
#include "wizard/start_wizard.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Answers the dialogs with the choices queued for the next showings.
class ScriptedChoices : public vintora::Dialogs
{
public:
    QStringList folders;
    QStringList files;
    QList<QColor> colors;

    QString chooseFolder(QWidget *, const QString &) override
    {
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString openFile(QWidget *, const QString &) override
    {
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget *, const QColor &) override
    {
        if (colors.isEmpty())
            return std::nullopt;
        return colors.takeFirst();
    }
    void showFailure(QWidget *, const QString &) override {}
};

class NoUrls : public vintora::UrlOpener
{
public:
    void open(const QUrl &) override {}
};

// A soft paper-like tile for the background, and a small pattern for the
// table cells.
QString drawTile(const QString &folder)
{
    QImage tile(48, 48, QImage::Format_RGB32);
    tile.fill(QColor(0xF4, 0xEE, 0xE0));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE3, 0xD8, 0xC0), 1));
    p.drawLine(0, 24, 48, 24);
    p.drawLine(24, 0, 24, 48);
    p.setBrush(QColor(0xEA, 0xDF, 0xC8));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 12), 3, 3);
    p.drawEllipse(QPointF(36, 36), 3, 3);
    p.end();
    const QString path = folder + QStringLiteral("/paper.png");
    tile.save(path);
    return path;
}

QString drawCellPicture(const QString &folder)
{
    QImage picture(60, 40, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient gradient(0, 0, 60, 40);
    gradient.setColorAt(0, QColor(0x3A, 0x7B, 0xD5));
    gradient.setColorAt(1, QColor(0xF2, 0xA5, 0x41));
    p.fillRect(picture.rect(), gradient);
    p.end();
    const QString path = folder + QStringLiteral("/cell.png");
    picture.save(path);
    return path;
}

// Tab pressed on a widget, as the user would.
void pressTab(QWidget *widget)
{
    widget->setFocus(Qt::TabFocusReason);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(widget, &tab);
}

// The widget's tooltip as the pointer resting on it shows it. The tooltip
// goes where a desktop's screen would leave it, below and to the right of
// the pointer: the offscreen screen is smaller than the window at 200 %
// and would push it aside.
void showTooltip(QWidget *widget)
{
    const QPoint pointer = widget->mapToGlobal(QPoint(widget->width() / 2, widget->height()));
    QToolTip::showText(pointer, widget->toolTip(), widget);
    for (QWidget *tip : QApplication::topLevelWidgets()) {
        if (tip->inherits("QTipLabel"))
            tip->move(pointer + QPoint(2, 16));
    }
}

// Where each picture goes, and under which name.
class Shots
{
public:
    Shots(QWidget *window, const QString &folder, int scale)
        : m_window(window), m_folder(folder), m_scale(scale)
    {}

    bool save(const QString &name) const
    {
        const QString suffix = m_scale == 1 ? QString() : QStringLiteral("@%1x").arg(m_scale);
        const QString path = QStringLiteral("%1/%2%3.png").arg(m_folder, name, suffix);
        if (withTooltip().save(path))
            return true;
        QTextStream(stderr) << "Cannot write " << path << '\n';
        return false;
    }

private:
    // The window with a tooltip that shows over it drawn in: a tooltip is a
    // window of its own, which grabbing the wizard leaves out.
    QPixmap withTooltip() const
    {
        QPixmap shot = m_window->grab();
        const QPoint origin = m_window->mapToGlobal(QPoint(0, 0));
        for (QWidget *tip : QApplication::topLevelWidgets()) {
            if (tip->inherits("QTipLabel") && tip->isVisible()) {
                QPainter painter(&shot);
                painter.drawPixmap(tip->pos() - origin, tip->grab());
            }
        }
        return shot;
    }

    QWidget *m_window;
    QString m_folder;
    int m_scale;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QString folder = QStringLiteral(".");
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc)
            scale = std::max(1, std::atoi(argv[++i]));
        else
            folder = QString::fromLocal8Bit(argv[i]);
    }
    if (scale != 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    QApplication app(argc, argv);
    QDir().mkpath(folder);
    QTemporaryDir pictures;

    vintora::WizardSettings settings;
    ScriptedChoices dialogs;
    NoUrls urls;
    const auto wizard = vintora::StartWizard(settings, dialogs, urls);
    QApplication::setActiveWindow(wizard.get());
    const Shots shots(wizard.get(), folder, scale);
    const char *names[] = {"welcome",    "page-style", "layout-style", "table",
                           "thumbnails", "pictures",   "packaging",    "output"};
    for (int page = 0; page < vintora::kPageCount; ++page) {
        wizard->ShowPage(page);
        if (!shots.save(QStringLiteral("%1-%2").arg(page).arg(QLatin1String(names[page]))))
            return 1;
    }

    // Tab from the last number box into the horizontal alignment group
    // lands on its chosen option.
    wizard->ShowPage(vintora::kTablePage);
    pressTab(wizard->tablePage().borderBox());
    if (!shots.save(QStringLiteral("3-table-focus-option")))
        return 1;

    // The tooltip that says what the left box of the uniform row holds.
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);
    wizard->ShowPage(vintora::kThumbnailsPage);
    showTooltip(wizard->thumbnailsPage().uniformHeightBox());
    const bool tipSaved = shots.save(QStringLiteral("4-thumbnails-tooltip"));
    QToolTip::hideText();
    if (!tipSaved)
        return 1;

    wizard->ShowPage(vintora::kPageStylePage);
    const vintora::PageStylePage &style = wizard->pageStylePage();
    dialogs.colors = {QColor(0x3B, 0x2F, 0x2F), QColor(0x1D, 0x4E, 0x89), QColor(0xC2, 0x41, 0x0C),
                      QColor(0x6B, 0x3F, 0xA0)};
    for (vintora::ClickableLabel *label : style.colorLabels())
        emit label->clicked();
    dialogs.files = {drawTile(pictures.path())};
    emit style.backgroundLink()->clicked();
    if (!shots.save(QStringLiteral("1-page-style-designed")))
        return 1;

    wizard->ShowPage(vintora::kTablePage);
    const vintora::TablePage &table = wizard->tablePage();
    dialogs.colors = {QColor(0xFF, 0xF4, 0xD6)};
    emit table.cellColorLink()->clicked();
    dialogs.files = {drawCellPicture(pictures.path())};
    emit table.cellPictureLink()->clicked();
    if (!shots.save(QStringLiteral("3-table-cell-picture")))
        return 1;

    // A column count that is no number: the page stays, marks the box and
    // says what is wrong.
    table.columnsBox()->setText(QStringLiteral("four"));
    wizard->ForeClicked();
    if (!shots.save(QStringLiteral("3-table-bad-number")))
        return 1;
    table.columnsBox()->setText(QStringLiteral("4"));

    // Entries as a user's folders would give them; nothing reads them until
    // the page is written, and then only as names.
    wizard->ShowPage(vintora::kPicturesPage);
    const QStringList chosen
            = {"beach.jpg", "dunes.jpg", "harbour.png", "lighthouse.jpg", "pier.gif", "sunset.jpg"};
    for (const QString &name : chosen)
        wizard->picturesPage().pictureList().append({QStringLiteral("/home/ada/Pictures/") + name});
    if (!shots.save(QStringLiteral("5-pictures-chosen")))
        return 1;

    // The page written without copies, and "Open the page" reached by Tab.
    wizard->ShowPage(vintora::kPackagingPage);
    wizard->packagingPage().noCopyOption()->setChecked(true);
    wizard->ShowPage(vintora::kOutputPage);
    QTemporaryDir out;
    dialogs.folders = {out.path()};
    wizard->outputPage().finish();
    QApplication::setActiveWindow(wizard.get());
    for (int i = 0; QApplication::focusWidget() && i < 3; ++i)
        pressTab(QApplication::focusWidget());
    return shots.save(QStringLiteral("7-output-finished")) ? 0 : 1;
}
