// Renders every page of the wizard to PNG, for the README and for looking
// at the pages without a desktop: vintora-screenshots OUTPUT_FOLDER
//
// Besides the eight pages as they start, it renders the Page style page
// with a tiled background and coloured labels and the Table page with a
// cell picture, chosen through scripted dialogs, and the Table page refusing
// a column count that is no number.

#include "shell/dialogs.h"
#include "shell/url_opener.h"
#include "wizard/controls/clickable_label.h"
#include "wizard/pages/page_style_page.h"
#include "wizard/pages/table_page.h"
#include "wizard/start_wizard.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Answers the dialogs with the choices queued for the next showings.
class ScriptedChoices : public vintora::Dialogs
{
public:
    QStringList files;
    QList<QColor> colors;

    QString chooseFolder(QWidget *, const QString &) override { return QString(); }
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

bool save(QWidget *window, const QString &path)
{
    if (window->grab().save(path))
        return true;
    QTextStream(stderr) << "Cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    QTemporaryDir pictures;

    vintora::WizardSettings settings;
    ScriptedChoices dialogs;
    NoUrls urls;
    const auto wizard = vintora::StartWizard(settings, dialogs, urls);
    const char *names[] = {"welcome",    "page-style", "layout-style", "table",
                           "thumbnails", "pictures",   "packaging",    "output"};
    for (int page = 0; page < vintora::kPageCount; ++page) {
        wizard->ShowPage(page);
        if (!save(wizard.get(), QStringLiteral("%1/%2-%3.png")
                                        .arg(folder)
                                        .arg(page)
                                        .arg(QLatin1String(names[page]))))
            return 1;
    }

    wizard->ShowPage(vintora::kPageStylePage);
    const vintora::PageStylePage &style = wizard->pageStylePage();
    dialogs.colors = {QColor(0x3B, 0x2F, 0x2F), QColor(0x1D, 0x4E, 0x89), QColor(0xC2, 0x41, 0x0C),
                      QColor(0x6B, 0x3F, 0xA0)};
    for (vintora::ClickableLabel *label : style.colorLabels())
        emit label->clicked();
    dialogs.files = {drawTile(pictures.path())};
    emit style.backgroundLink()->clicked();
    if (!save(wizard.get(), folder + QStringLiteral("/1-page-style-designed.png")))
        return 1;

    wizard->ShowPage(vintora::kTablePage);
    const vintora::TablePage &table = wizard->tablePage();
    dialogs.colors = {QColor(0xFF, 0xF4, 0xD6)};
    emit table.cellColorLink()->clicked();
    dialogs.files = {drawCellPicture(pictures.path())};
    emit table.cellPictureLink()->clicked();
    if (!save(wizard.get(), folder + QStringLiteral("/3-table-cell-picture.png")))
        return 1;

    // A column count that is no number: the page stays, marks the box and
    // says what is wrong.
    table.columnsBox()->setText(QStringLiteral("four"));
    wizard->ForeClicked();
    return save(wizard.get(), folder + QStringLiteral("/3-table-bad-number.png")) ? 0 : 1;
}
