// The wizard window's controls, each with its text, start state and place
// (in twips, relative to the window or to its page panel).

#include "wizard/twips.h"
#include "wizard/wizard_controls.h"

#include <QAbstractItemView>
#include <QPixmap>

#include <algorithm>

namespace vintora {

namespace {

QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template<typename Widget>
Widget *place(Widget *widget, const QString &objectName, QRect geometry)
{
    widget->setObjectName(objectName);
    widget->setGeometry(geometry);
    return widget;
}

// A static text: wraps at its width and starts at its top.
QLabel *staticText(WizardControls &c, QWidget *page, int index, const QString &text, QRect geometry,
                   Qt::Alignment horizontal = Qt::AlignLeft)
{
    auto *label = place(new QLabel(text, page), arrayName("Label1", index), geometry);
    label->setWordWrap(true);
    label->setAlignment(horizontal | Qt::AlignTop);
    c.Label1.insert(index, label);
    return label;
}

// Sets only the underline, so that the label keeps following the window's
// font in everything else.
void underline(QLabel *label)
{
    QFont font;
    font.setUnderline(true);
    label->setFont(font);
}

ClickableLabel *linkLabel(QWidget *page, const char *name, int index, const QString &text,
                          QRect geometry, Qt::Alignment horizontal = Qt::AlignLeft)
{
    auto *label = place(new ClickableLabel(text, page), arrayName(name, index), geometry);
    label->setAlignment(horizontal | Qt::AlignTop);
    underline(label);
    return label;
}

QLabel *image(QWidget *parent, const QString &objectName, const QString &resource, QPoint at)
{
    const QPixmap pixmap(resource);
    auto *label = place(new QLabel(parent), objectName, QRect(at, pixmap.size()));
    label->setPixmap(pixmap);
    return label;
}

ClickableLabel *imageButton(QWidget *parent, const QString &objectName, const QString &resource,
                            QPoint at)
{
    const QPixmap pixmap(resource);
    auto *button = place(new ClickableLabel(parent), objectName, QRect(at, pixmap.size()));
    button->setPixmap(pixmap);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLineEdit *numberBox(QWidget *page, const char *name, int index, const QString &text,
                     QRect geometry)
{
    auto *box = place(new QLineEdit(text, page), arrayName(name, index), geometry);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

QRadioButton *option(QWidget *parent, const char *name, int index, const QString &caption,
                     QRect geometry, bool chosen)
{
    auto *button = place(new QRadioButton(caption, parent), arrayName(name, index), geometry);
    button->setChecked(chosen);
    return button;
}

QPoint at(int left, int top)
{
    return QPoint(twipsToPixels(left), twipsToPixels(top));
}

void buildWelcomePage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 0,
               QStringLiteral("Welcome to Vintora!  This application will help you generate an "
                              "HTML-only thumbnail index page of images for use on your web "
                              "site or your personal computer."),
               twipsRect(120, 120, 3735, 975));
    staticText(c, page, 1,
               QStringLiteral("This wizard will step you through all the steps you need to take "
                              "to create your page and prepare it for display on your web "
                              "server.  Set your preferences on the following screens and use "
                              "the buttons below to step through each section as you complete "
                              "it or to go back to change an option."),
               twipsRect(120, 1080, 3735, 1455));
    c.Image4[0] = imageButton(page, arrayName("Image4", 0),
                              QStringLiteral(":/artwork/icon_readme.png"), at(360, 2640));
    staticText(c, page, 25, QStringLiteral("Readme"), twipsRect(240, 3120, 735, 255),
               Qt::AlignHCenter);
    c.Image4[1] = imageButton(page, arrayName("Image4", 1),
                              QStringLiteral(":/artwork/icon_mail.png"), at(1680, 2640));
    staticText(c, page, 26, QStringLiteral("Mail"), twipsRect(1560, 3120, 735, 255),
               Qt::AlignHCenter);
    c.Image4[2] = imageButton(page, arrayName("Image4", 2),
                              QStringLiteral(":/artwork/icon_web.png"), at(3000, 2640));
    staticText(c, page, 27, QStringLiteral("Web"), twipsRect(2880, 3120, 735, 255),
               Qt::AlignHCenter);
    staticText(c, page, 2, QStringLiteral("Let's begin!"), twipsRect(120, 3840, 3735, 375),
               Qt::AlignRight);
}

void buildPageStylePage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 8,
               QStringLiteral("Let's customize the thumbnails page.  Click on the items below to "
                              "change settings.  (This rendering is not exact)."),
               twipsRect(120, 120, 3735, 735));
    c.Image2 = image(page, QStringLiteral("Image2"), QStringLiteral(":/artwork/browser_window.png"),
                     at(240, 840));
    c.picPreview = place(new PictureBox(page), QStringLiteral("picPreview"),
                         twipsRect(270, 1320, 3255, 2415));
    c.picPreview->setBackColor(0x00FFFFFF);

    const char *captions[] = {"Text", "HyperLink", "Active HyperLink", "Visited HyperLink"};
    const ColorValue colors[] = {0x00000000, 0x00FF0000, 0x000000FF, 0x00C000C0};
    const int tops[] = {480, 840, 1200, 1560};
    for (int i = 0; i < 4; ++i) {
        auto *label = place(new ClickableLabel(QLatin1String(captions[i]), c.picPreview),
                            arrayName("pgpref", i), twipsRect(360, tops[i], 2415, 375));
        QFont font = label->font();
        font.setBold(true);
        font.setPointSizeF(9.75);
        label->setFont(font);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setForeColor(colors[i]);
        c.pgpref[i] = label;
    }
    c.pgpref[5] = linkLabel(page, "pgpref", 5, QStringLiteral("Background Picture"),
                            twipsRect(120, 3960, 1935, 255));
    c.pgpref[4] = linkLabel(page, "pgpref", 4, QStringLiteral("Page Color"),
                            twipsRect(2640, 3960, 1215, 255), Qt::AlignRight);
}

void buildLayoutStylePage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 5,
               QStringLiteral("Let's look at the style of page we're going to be creating."),
               twipsRect(120, 120, 3735, 975));
    c.Image1[0] = image(page, arrayName("Image1", 0), QStringLiteral(":/artwork/layout_table.png"),
                        at(120, 720));
    staticText(c, page, 4,
               QStringLiteral("A table-based layout will keep your pictures neatly aligned and "
                              "offers more formatting options, but you have to specify a number "
                              "of columns in advance."),
               twipsRect(1200, 720, 2655, 1215));
    c.Image1[1] = image(page, arrayName("Image1", 1),
                        QStringLiteral(":/artwork/layout_generic.png"), at(120, 1920));
    staticText(c, page, 3,
               QStringLiteral("A generic layout will simply add your thumbnails to a page.  They "
                              "won't be neatly aligned, but can flow to fill the page more "
                              "completely."),
               twipsRect(1200, 1920, 2655, 1095));
    c.optStyle[0] = option(page, "optStyle", 0, QStringLiteral("I want tables"),
                           twipsRect(480, 3360, 3255, 255), true);
    c.optStyle[1] = option(page, "optStyle", 1, QStringLiteral("No tables, just the pix"),
                           twipsRect(480, 3720, 3255, 255), false);
}

void buildTablePage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 7,
               QStringLiteral("Next we need to define the table that will hold the thumbnails:"),
               twipsRect(120, 120, 3735, 615));
    struct Row
    {
        int label;
        const char *caption;
        int labelTop;
        int boxTop;
        const char *start;
    };
    const Row rows[] = {{6, "Number of columns in table: ", 840, 800, "4"},
                        {11, "Cell spacing:", 1110, 1070, "1"},
                        {12, "Cell padding:", 1365, 1320, "1"},
                        {13, "Border size:", 1605, 1560, "0"}};
    for (int i = 0; i < 4; ++i) {
        const Row &row = rows[i];
        staticText(c, page, row.label, QLatin1String(row.caption),
                   twipsRect(0, row.labelTop, 2655, 375), Qt::AlignRight);
        c.Text1[i] = numberBox(page, "Text1", i, QLatin1String(row.start),
                               twipsRect(2760, row.boxTop, 735, 285));
    }

    const char *frameCaptions[] = {"Align Thumbnails Horizontally", "Align Thumbnails Vertically"};
    const char *alignCaptions[] = {"Left", "Center", "Right", "Top", "Middle", "Bottom"};
    const int frameTops[] = {2040, 2880};
    const int optionLefts[] = {120, 1200, 2400};
    for (int f = 0; f < 2; ++f) {
        c.Frame1[f] = place(new QGroupBox(QLatin1String(frameCaptions[f]), page),
                            arrayName("Frame1", f), twipsRect(240, frameTops[f], 3495, 735));
        for (int j = 0; j < 3; ++j) {
            const int i = f * 3 + j;
            c.optTableAlign[i]
                    = option(c.Frame1[f], "optTableAlign", i, QLatin1String(alignCaptions[i]),
                             twipsRect(optionLefts[j], 360, 975, 255), j == 1);
        }
    }

    c.labTable[0] = linkLabel(page, "labTable", 0, QStringLiteral("Cell Background"),
                              twipsRect(240, 3840, 1815, 375));
    c.picTable[0] = place(new PictureBox(page), arrayName("picTable", 0),
                          twipsRect(1560, 3840, 495, 255));
    c.labTable[1] = linkLabel(page, "labTable", 1, QStringLiteral("Cell Picture"),
                              twipsRect(2280, 3840, 1455, 375));
    c.picTable[1] = place(new PictureBox(page), arrayName("picTable", 1),
                          twipsRect(3240, 3840, 495, 255));
    for (PictureBox *swatch : c.picTable)
        swatch->setBackColor(0x00FFFFFF);
}

void buildThumbnailsPage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 16,
               QStringLiteral("Now we specify some options for the thumbnails themselves:"),
               twipsRect(120, 120, 3735, 615));
    c.optsize[0] = option(page, "optsize", 0, QStringLiteral("Uniform size:"),
                          twipsRect(360, 720, 1455, 255), true);
    c.txtSize[0]
            = numberBox(page, "txtSize", 0, QStringLiteral("100"), twipsRect(840, 1080, 495, 285));
    staticText(c, page, 14, QStringLiteral("X"), twipsRect(1440, 1140, 255, 255), Qt::AlignHCenter);
    c.txtSize[1]
            = numberBox(page, "txtSize", 1, QStringLiteral("100"), twipsRect(1800, 1080, 495, 285));
    staticText(c, page, 15, QStringLiteral("pixels"), twipsRect(2400, 1140, 615, 375));
    c.optsize[1] = option(page, "optsize", 1, QStringLiteral("Percentage of page width:"),
                          twipsRect(360, 1920, 2655, 255), false);
    c.txtSize[3]
            = numberBox(page, "txtSize", 3, QStringLiteral("25"), twipsRect(840, 2400, 495, 285));
    staticText(c, page, 9, QStringLiteral("%  X"), twipsRect(1440, 2460, 375, 255),
               Qt::AlignHCenter);
    c.txtSize[2]
            = numberBox(page, "txtSize", 2, QStringLiteral("25"), twipsRect(1920, 2400, 495, 285));
    staticText(c, page, 10, QStringLiteral("%"), twipsRect(2520, 2460, 615, 375));
    c.Check1[0] = place(new QCheckBox(QStringLiteral("Show borders on images"), page),
                        arrayName("Check1", 0), twipsRect(360, 3240, 3255, 255));
    c.Check1[0]->setChecked(false);
}

void buildPicturesPage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 19,
               QStringLiteral("Let's choose the pictures we'll include!  Select the files to "
                              "include in the dialog.  Open it as often as you need to include "
                              "all the files you want. Files to be included are added to the "
                              "list below. "),
               twipsRect(120, 120, 3735, 975));
    staticText(c, page, 17, QStringLiteral("Check or uncheck files to include or exclude them."),
               twipsRect(120, 1080, 3735, 615));
    c.lstFiles = place(new QListView(page), QStringLiteral("lstFiles"),
                       twipsRect(120, 1440, 3735, 2175));
    c.lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    c.lstFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.lstFiles->setUniformItemSizes(true);
    c.labGetFile[0] = linkLabel(page, "labGetFile", 0, QStringLiteral("Select a folder"),
                                twipsRect(120, 3960, 1095, 375));
    c.labGetFile[1] = linkLabel(page, "labGetFile", 1, QStringLiteral("Select files"),
                                twipsRect(2760, 3960, 1095, 375), Qt::AlignRight);
}

void buildPackagingPage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 20,
               QStringLiteral("Almost done!  Now we need to decide whether or not to \"package "
                              "up\" the pictures."),
               twipsRect(120, 120, 3735, 615));
    c.Image3[0] = image(page, arrayName("Image3", 0),
                        QStringLiteral(":/artwork/packaging_copy.png"), at(240, 840));
    staticText(c, page, 18,
               QStringLiteral("Copying the files you selected to your output folder is a good "
                              "idea if this page will be used on the web somewhere.  Then you'll "
                              "just need to upload the whole folder to your server."),
               twipsRect(1320, 840, 2415, 1455));
    c.Image3[1] = image(page, arrayName("Image3", 1),
                        QStringLiteral(":/artwork/packaging_nocopy.png"), at(240, 2160));
    staticText(c, page, 21,
               QStringLiteral("If the page will be used on your local machine as an index for "
                              "pictures, you probably don't want the extra copies hanging "
                              "around."),
               twipsRect(1320, 2280, 2415, 975));
    c.optCopy[0] = option(page, "optCopy", 0, QStringLiteral("Copy the picture files"),
                          twipsRect(600, 3360, 3375, 255), true);
    c.optCopy[1] = option(page, "optCopy", 1, QStringLiteral("Don't copy any files"),
                          twipsRect(600, 3720, 3375, 255), false);
}

void buildOutputPage(WizardControls &c, QWidget *page)
{
    staticText(c, page, 23,
               QStringLiteral("The only remaining step is to choose the location of your output "
                              "files.  When you click \"Fin\" below, you will be prompted to "
                              "choose a folder.  If you selected one, output will begin "
                              "immediately."),
               twipsRect(120, 120, 3735, 975));
    staticText(c, page, 24,
               QStringLiteral("If you plan to upload this to your web server, you should probably "
                              "create a new folder to put everything in to avoid sending any "
                              "extra files off."),
               twipsRect(120, 1080, 3615, 855));
    staticText(c, page, 22,
               QStringLiteral("If you want to change the name of the thumbnails file, enter it "
                              "here. "),
               twipsRect(120, 2160, 3375, 615));
    c.txtFilename = place(new QLineEdit(QStringLiteral("vintora.htm"), page),
                          QStringLiteral("txtFilename"), twipsRect(360, 2880, 3135, 285));
    c.txtFilename->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    c.labStatus = place(new QLabel(QStringLiteral("When you're ready, click \"Fin\"..."), page),
                        QStringLiteral("labStatus"), twipsRect(120, 3480, 3495, 495));
    c.labStatus->setWordWrap(true);
    c.labStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.labStatus->setAutoFillBackground(true);
    c.labStatus->setBackgroundRole(QPalette::Base);
    c.labStatus->setForegroundRole(QPalette::Text);
}

// The line that explains a problem lies over the page's instruction text at
// the top of the panel, where the user looks first.
QLabel *problemLine(QWidget *page, int index)
{
    auto *line = place(new QLabel(page), arrayName("lblProblem", index),
                       twipsRect(120, 120, 3735, 615));
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    line->setAutoFillBackground(true);
    QPalette p = line->palette();
    p.setColor(QPalette::Window, QColor(0xFD, 0xEC, 0xEA));
    p.setColor(QPalette::WindowText, QColor(0xA3, 0x1D, 0x1D));
    line->setPalette(p);
    line->setMargin(3);
    line->hide();
    return line;
}

// The part of a text's place that stays visible: the cell swatches lie over
// the right end of their labels, and the picture list over the lower part of
// the line above it.
QSize visibleSize(const WizardControls &c, const QWidget *widget)
{
    QSize size = widget->size();
    for (int i = 0; i < 2; ++i) {
        if (widget == c.labTable[i])
            size.setWidth(c.picTable[i]->x() - widget->x() - 2);
    }
    if (widget == c.Label1.value(17))
        size.setHeight(c.lstFiles->y() - widget->y());
    return size;
}

bool textFits(const WizardControls &c, const QWidget *widget)
{
    const QSize visible = visibleSize(c, widget);
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return true;
        if (label->wordWrap())
            return label->heightForWidth(visible.width()) <= visible.height();
        return label->fontMetrics().horizontalAdvance(label->text()) <= visible.width();
    }
    if (qobject_cast<const QRadioButton *>(widget) || qobject_cast<const QCheckBox *>(widget))
        return widget->sizeHint().width() <= visible.width();
    return true;
}

void setPointSize(QWidget *widget, double size)
{
    QFont font = widget->font();
    font.setPointSizeF(size);
    widget->setFont(font);
}

// The catalogue places every text for an 8.25 pt sans-serif. Desktop fonts
// differ in width, so rather than clip a text, take the largest size down
// to 7.75 pt at which every text fits its place, and shrink any text that
// still does not fit on its own.
void fitTextToPlaces(QWidget *window, WizardControls &c)
{
    QList<QWidget *> texts;
    for (QWidget *page : c.picFrame) {
        for (QWidget *child : page->findChildren<QWidget *>()) {
            if (std::find(c.problemLine.cbegin(), c.problemLine.cend(), child)
                == c.problemLine.cend())
                texts << child;
        }
    }
    const auto allFit = [&] {
        return std::all_of(texts.cbegin(), texts.cend(),
                           [&c](const QWidget *w) { return textFits(c, w); });
    };
    for (double size = 8.25; size >= 7.75; size -= 0.25) {
        setPointSize(window, size);
        for (int i = 0; i < 4; ++i)
            setPointSize(c.pgpref[i], size + 1.5);
        if (allFit())
            return;
    }
    for (QWidget *text : texts) {
        for (double size = text->font().pointSizeF() - 0.25; size >= 6.5 && !textFits(c, text);
             size -= 0.25)
            setPointSize(text, size);
    }
}

} // namespace

void buildWizardControls(QWidget *window, WizardControls &c)
{
    for (int i = 0; i < kPageCount; ++i) {
        auto *page = place(new QWidget(window), arrayName("picFrame", i),
                           twipsRect(2880, 120, 3975, 4215));
        page->setAutoFillBackground(true);
        page->hide();
        c.picFrame[i] = page;
    }
    buildWelcomePage(c, c.picFrame[kWelcomePage]);
    buildPageStylePage(c, c.picFrame[kPageStylePage]);
    buildLayoutStylePage(c, c.picFrame[kLayoutStylePage]);
    buildTablePage(c, c.picFrame[kTablePage]);
    buildThumbnailsPage(c, c.picFrame[kThumbnailsPage]);
    buildPicturesPage(c, c.picFrame[kPicturesPage]);
    buildPackagingPage(c, c.picFrame[kPackagingPage]);
    buildOutputPage(c, c.picFrame[kOutputPage]);
    for (int i = 0; i < kPageCount; ++i)
        c.problemLine[i] = problemLine(c.picFrame[i], i);

    c.btnBack = imageButton(window, QStringLiteral("btnBack"),
                            QStringLiteral(":/artwork/button_back.png"), at(3840, 4560));
    c.btnFore = imageButton(window, QStringLiteral("btnFore"),
                            QStringLiteral(":/artwork/button_fore.png"), at(5400, 4560));
    c.btnFin = imageButton(window, QStringLiteral("btnFin"),
                           QStringLiteral(":/artwork/button_fin.png"), at(5400, 4560));
    c.btnBack->hide();
    c.btnFin->hide();

    c.lblVersion = place(new QLabel(QStringLiteral("Label2"), window), QStringLiteral("lblVersion"),
                         twipsRect(1320, 5040, 1335, 255));
    c.lblVersion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette versionPalette = c.lblVersion->palette();
    versionPalette.setColor(QPalette::WindowText, Qt::white);
    c.lblVersion->setPalette(versionPalette);

    c.Line1 = place(new QFrame(window), arrayName("Line1", 0),
                    QRect(at(2880, 4440), QSize(twipsToPixels(6840 - 2880), 1)));
    c.Line1->setFrameStyle(QFrame::HLine | QFrame::Plain);
    c.Line1->setLineWidth(1);

    fitTextToPlaces(window, c);
}

} // namespace vintora
