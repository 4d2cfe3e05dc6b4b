#include "wizard/pages/table_page.h"

#include "base/twips.h"
#include "controls/option_group.h"
#include "controls/picture_box.h"
#include "designer/table_cell_designer.h"
#include "settings/number_reading.h"
#include "settings/start_values.h"
#include "wizard/pages/accessible_values.h"
#include "wizard/pages/page_widgets.h"

#include <QGroupBox>

namespace vintora {

namespace {

bool readsAsNumber(const QString &text)
{
    return readNumber(text).has_value();
}

bool readsAsColumns(const QString &text)
{
    const auto columns = readNumber(text);
    return columns && *columns >= 1;
}

} // namespace

TablePage::TablePage(QWidget *window, Dialogs &dialogs) : WizardPage(kTablePage, window)
{
    const StartValues &start = kStartValues;
    staticText(this, 7,
               QStringLiteral("Next we need to define the table that will hold the thumbnails:"),
               twipsRect(120, 120, 3735, 615));
    const auto row = [this, &start](int box, int label, const char *caption, int labelTop,
                                    int boxTop, const char *holds) {
        staticText(this, label, QLatin1String(caption), twipsRect(0, labelTop, 2655, 375),
                   Qt::AlignRight);
        QLineEdit *numbers = numberBox(this, "Text1", box, QLatin1String(start.tableNumbers[box]),
                                       twipsRect(2760, boxTop, 735, 285));
        // The caption without its colon.
        QString name = QLatin1String(caption).trimmed();
        name.chop(name.endsWith(u':') ? 1 : 0);
        numbers->setAccessibleName(name);
        describeNumberBox(numbers, QLatin1String(holds));
        return numbers;
    };
    m_columnsBox = row(0, 6, "Number of columns in table: ", 840, 800,
                       "Number of columns, thumbnails in each row");
    m_spacingBox = row(1, 11, "Cell spacing:", 1110, 1070, "Space between cells, in pixels");
    m_paddingBox = row(2, 12, "Cell padding:", 1365, 1320,
                       "Space between a cell's border and its thumbnail, in pixels");
    m_borderBox = row(3, 13, "Border size:", 1605, 1560,
                      "Width of the table's border, in pixels (0 for none)");

    const auto group = [this](int frame, const char *caption, int top,
                              const std::array<const char *, 3> &words, int chosen,
                              std::array<QRadioButton *, 3> &options) {
        auto *box = place(new QGroupBox(QLatin1String(caption), this),
                          catalogueName("Frame1", frame), twipsRect(240, top, 3495, 735));
        const int lefts[] = {120, 1200, 2400};
        for (int j = 0; j < 3; ++j)
            options[j] = option(box, "optTableAlign", frame * 3 + j, QLatin1String(words[j]),
                                twipsRect(lefts[j], 360, 975, 255), j == chosen);
        tabToChosenOption({options.begin(), options.end()});
    };
    group(0, "Align Thumbnails Horizontally", 2040, kHorizontalAlignWords, start.cellAlign,
          m_horizontal);
    group(1, "Align Thumbnails Vertically", 2880, kVerticalAlignWords, start.cellVAlign,
          m_vertical);

    m_cellColorLink = linkLabel(this, "labTable", 0, QStringLiteral("Cell Background"),
                                twipsRect(240, 3840, 1815, 375));
    m_cellColorSwatch = place(new PictureBox(this), catalogueName("picTable", 0),
                              twipsRect(1560, 3840, 495, 255));
    m_cellColorSwatch->setBackColor(start.cellColor);
    m_cellPictureLink = linkLabel(this, "labTable", 1, QStringLiteral("Cell Picture"),
                                  twipsRect(2280, 3840, 1455, 375));
    m_cellPictureSwatch = place(new PictureBox(this), catalogueName("picTable", 1),
                                twipsRect(3240, 3840, 495, 255));

    m_designer = new TableCellDesigner(
            window, dialogs,
            {m_cellColorLink, m_cellColorSwatch, m_cellPictureLink, m_cellPictureSwatch},
            [this](const QString &line) { showProblem(line); }, {}, this);

    describeValues();
    connect(m_cellColorSwatch, &PictureBox::changed, this, &TablePage::describeValues);
    connect(m_cellPictureSwatch, &PictureBox::changed, this, &TablePage::describeValues);
}

void TablePage::describeValues()
{
    const QString color
            = spokenColor(QStringLiteral("Cell colour"), m_cellColorSwatch->backColor());
    m_cellColorSwatch->setAccessibleName(color);
    m_cellColorLink->setAccessibleDescription(color);
    const QString path = m_cellPictureSwatch->tag();
    const QString picture = spokenPicture(QStringLiteral("Cell picture"), path);
    m_cellPictureSwatch->setAccessibleName(picture);
    m_cellPictureSwatch->setAccessibleDescription(
            path.isEmpty() ? QString() : QStringLiteral("Shows the picture"));
    m_cellPictureSwatch->setFocusPolicy(path.isEmpty() ? Qt::NoFocus : Qt::TabFocus);
    m_cellPictureLink->setAccessibleDescription(picture);
}

TableControls TablePage::controls() const
{
    TableControls c;
    c.numberTexts = {m_columnsBox->text(), m_spacingBox->text(), m_paddingBox->text(),
                     m_borderBox->text()};
    m_designer->fillControls(c);
    for (std::size_t j = 0; j < 3; ++j) {
        c.alignOptions[j] = {m_horizontal[j]->isChecked(), m_horizontal[j]->text()};
        c.alignOptions[j + 3] = {m_vertical[j]->isChecked(), m_vertical[j]->text()};
    }
    return c;
}

bool TablePage::captureControls(WizardSettings &settings)
{
    const auto bad = CaptureTable(settings, controls());
    if (!bad)
        return true;
    // The capture names the box by its place among the number texts, which
    // controls() hands over in this order.
    const std::array boxes{m_columnsBox, m_spacingBox, m_paddingBox, m_borderBox};
    QLineEdit *box = boxes.at(bad->index);
    if (box == m_columnsBox && settings.layoutStyle == QLatin1String(kLayoutTable)) {
        markColumns(QStringLiteral("Type a whole number of columns, at least 1."));
    } else if (settings.layoutStyle == QLatin1String(kLayoutGeneric)) {
        // The user chose no tables and never saw this page: say why it shows.
        markBox(box,
                QStringLiteral("The table settings are read even without tables. ")
                        + badNumberMessage(),
                readsAsNumber);
    } else {
        markBox(box, badNumberMessage(), readsAsNumber);
    }
    return false;
}

bool TablePage::leaveForward(WizardSettings &settings)
{
    // A table cannot be laid out without a column; refuse it here, where
    // the user can correct it, rather than at the end.
    const auto columns = readNumber(m_columnsBox->text());
    if (settings.layoutStyle == QLatin1String(kLayoutTable) && columns && *columns < 1) {
        markColumns(QStringLiteral("A table needs at least one column."));
        return false;
    }
    return true;
}

void TablePage::markColumns(const QString &message)
{
    markBox(m_columnsBox, message, readsAsColumns);
}

bool TablePage::isOnTheWay(const WizardSettings &settings) const
{
    return settings.layoutStyle == QLatin1String(kLayoutTable);
}

QSize TablePage::visibleSize(const QWidget *text) const
{
    // The swatches lie over the right end of their captions.
    QSize size = text->size();
    if (text == m_cellColorLink)
        size.setWidth(m_cellColorSwatch->x() - text->x() - 2);
    else if (text == m_cellPictureLink)
        size.setWidth(m_cellPictureSwatch->x() - text->x() - 2);
    return size;
}

} // namespace vintora
