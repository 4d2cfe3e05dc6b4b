#include "cli/cli_options.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "cli/cli_paths.h"
#include "output/output_folder.h"
#include "output/page_name.h"
#include "page/modern_page_writer.h"
#include "settings/captures.h"
#include "settings/html_color.h"
#include "settings/number_reading.h"
#include "settings/start_values.h"
#include "version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <vector>

namespace vintora {

std::optional<ColorValue> readHtmlColor(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const auto match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const uint rgb = match.captured(1).toUInt(nullptr, 16);
    return ColorValue(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

namespace {

struct Option
{
    const char *names;
    const char *description;
    const char *valueName = nullptr;
    QString defaultValue = {}; // what the parser gives when the option is not set
    QString shownDefault = {}; // in --help, when it says more than defaultValue
};

// The end of --help: one rule for the exit status.
constexpr const char *kExitStatusHelp
        = "\nExit status:\n"
          "  0  The page is written.\n"
          "  1  Something went wrong while running: a folder that cannot be read, no\n"
          "     pictures found, a page or picture that cannot be written, a file left\n"
          "     alone for safety. The reason is the last line printed.\n"
          "  2  What was typed can never work: an unknown option, a bad number, colour\n"
          "     or word, a file or folder that does not exist, an output folder that\n"
          "     cannot be made, a page name with a folder part. Nothing is written.\n"
          "  130  Stopped by Ctrl+C (SIGINT) before the page was written; the files made\n"
          "       so far are kept whole, and a second Ctrl+C ends it at once.\n"
          "  143  The same, stopped by SIGTERM.\n";

// The parser's help with the exit status added. QCommandLineParser names the
// program as it was started, often a whole path; the usage line names it as
// it is installed.
QString fullHelpText(const QString &parserHelp)
{
    QString help = parserHelp;
    const QLatin1String usage("Usage: ");
    const qsizetype nameEnd = help.indexOf(QLatin1String(" [options]"));
    if (help.startsWith(usage) && nameEnd > 0)
        help.replace(usage.size(), nameEnd - usage.size(), QLatin1String("vintora-cli"));
    return help + QLatin1String(kExitStatusHelp);
}

QString htmlColorText(ColorValue color)
{
    return QLatin1Char('#') + HtmlColor(color);
}

// Keeps the parser and the first problem found while reading values.
class Reader
{
public:
    explicit Reader(QCommandLineParser &parser) : m_parser(parser) {}

    QString text(const char *name) const { return m_parser.value(QLatin1String(name)); }
    bool isSet(const char *name) const { return m_parser.isSet(QLatin1String(name)); }
    QStringList positionalArguments() const { return m_parser.positionalArguments(); }

    // The option as the user spelt it, for messages: "--page-colour" when
    // that spelling was typed.
    QString shown(const char *name) const
    {
        const QString option = QLatin1String(name);
        if (m_colorSpelt.contains(option))
            return QLatin1String("--") + option.chopped(5) + QLatin1String("colour");
        return QLatin1String("--") + option;
    }
    void setColorSpelt(const QSet<QString> &options) { m_colorSpelt = options; }

    QString number(const char *name)
    {
        const QString value = text(name);
        if (!readNumber(value))
            fail(QStringLiteral("--%1: \"%2\" is not a whole number from -32768 to 32767")
                         .arg(QLatin1String(name), value));
        return value;
    }

    ColorValue color(const char *name)
    {
        const auto value = readHtmlColor(text(name));
        if (!value)
            fail(QStringLiteral("%1: \"%2\" is not a colour; use #RRGGBB or RRGGBB")
                         .arg(shown(name), text(name)));
        return value.value_or(0);
    }

    // One of the given words, whatever its letter case, written as listed.
    QString word(const char *name, const QStringList &words)
    {
        const QString value = text(name);
        for (const QString &w : words) {
            if (w.compare(value, Qt::CaseInsensitive) == 0)
                return w;
        }
        fail(QStringLiteral("--%1: \"%2\" is not one of %3")
                     .arg(QLatin1String(name), value, words.join(QLatin1String(", "))));
        return words.first();
    }

    QString existingFile(const char *name)
    {
        if (!isSet(name))
            return QString();
        if (!StatFile(text(name)).isRegular())
            fail(QStringLiteral("--%1: no such file: %2").arg(QLatin1String(name), text(name)));
        return absoluteCliPath(text(name));
    }

    void fail(const QString &message)
    {
        if (m_error.isEmpty())
            m_error = message;
    }
    const QString &error() const { return m_error; }

private:
    QCommandLineParser &m_parser;
    QString m_error;
    QSet<QString> m_colorSpelt; // colour options typed as "-colour"
};

// Every "-color" option also answers to "-colour": the arguments are read
// with that spelling changed (as "--page-colour", "--page-colour=#FFFFFF",
// or with one dash), up to a "--" that ends the options. The options typed
// so are noted in spelt, for messages.
QStringList withColorSpelling(const QStringList &arguments, const QStringList &colorOptions,
                              QSet<QString> &spelt)
{
    QStringList read = arguments;
    for (qsizetype i = 1; i < read.size(); ++i) {
        QString &argument = read[i];
        if (argument == QLatin1String("--"))
            break;
        const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2
                                 : argument.startsWith(QLatin1Char('-'))  ? 1
                                                                          : 0;
        if (dashes == 0)
            continue;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const qsizetype nameEnd = equals < 0 ? argument.size() : equals;
        const QString name = argument.mid(dashes, nameEnd - dashes);
        if (!name.endsWith(QLatin1String("-colour")))
            continue;
        const QString option = name.chopped(6) + QLatin1String("color");
        if (!colorOptions.contains(option))
            continue;
        argument.replace(dashes, name.size(), option);
        spelt.insert(option);
    }
    return read;
}

// The options of the modern page, in the order --help lists them.
std::vector<Option> modernOptions()
{
    const StartValues &v = kStartValues;
    const auto text = [](const char *value) {
        return QString::fromLatin1(value);
    };
    return {
            {"modern",
             "Write the modern page in place of the classic one: for today's browsers and "
             "phones, with captions and a viewer; it also makes thumbnails (folder \"thumbs\") "
             "and screen-size copies of the larger pictures (folder \"screen\")",
             nullptr,
             {},
             v.modernPage ? "on" : "off"},
            {"keep-location",
             "Publish the modern page's copies of the pictures with where they were taken (GPS "
             "coordinates and place names); without it they are removed from the copies, the "
             "pictures themselves kept byte for byte",
             nullptr,
             {},
             v.keepLocation ? "on" : "off"},
            {"no-albums",
             "With --modern, a folder given makes one page of its own pictures; without it, "
             "every folder below it with pictures becomes an album, a page of its own in a "
             "folder of the same name, shown as a card on the page above it",
             nullptr},
            {"order",
             "Order of the modern page's pictures: date (taken, as the photograph says, else "
             "the file's time; oldest first, ties by name), name, or list (as given); the "
             "classic page keeps the order given",
             "date|name|list", text(v.pictureOrder)},
            {"zip",
             "Make one zip file of each modern page's own full-size pictures as published "
             "(named after its folder, \"<folder>.zip\", beside the page; one per album), "
             "linked under its title as \"Download all N pictures (zip, size)\"",
             nullptr,
             {},
             v.makeZips ? "on" : "off"},
            {"title", "Title and heading of the modern page, at most 200 characters", "TEXT",
             text(v.pageTitle),
             "the name of the first folder of pictures, or of the output folder"},
    };
}

// The options of the run, in the order --help lists them.
std::vector<Option> runOptions()
{
    const StartValues &v = kStartValues;
    const auto text = [](const char *value) {
        return QString::fromLatin1(value);
    };
    std::vector<Option> options{
            {"o,output",
             "Output folder; required. A folder that does not exist yet is made, with the "
             "folders above it",
             "DIR"},
            {"name", "Page file name, without a folder part", "NAME", text(v.pageName),
             text(v.pageName) + QLatin1String(", or ") + text(v.modernPageName)
                     + QLatin1String(" with --modern")},
            {"layout", "Layout of the page: table or generic", "table|generic",
             text(v.tables ? kLayoutTable : kLayoutGeneric)},
            {"columns", "Thumbnails per table row; at least 1 for a table", "N",
             text(v.tableNumbers[0])},
            {"spacing", "Table cell spacing", "N", text(v.tableNumbers[1])},
            {"padding", "Table cell padding", "N", text(v.tableNumbers[2])},
            {"border", "Table border size", "N", text(v.tableNumbers[3])},
            {"align", "Horizontal alignment in the cells: Left, Center or Right", "WORD",
             text(kHorizontalAlignWords[v.cellAlign])},
            {"valign", "Vertical alignment in the cells: Top, Middle or Bottom", "WORD",
             text(kVerticalAlignWords[v.cellVAlign])},
            {"cell-color", "Table cell colour", "COLOR", htmlColorText(v.cellColor)},
            {"cell-picture", "Table cell background picture", "FILE", {}, "none"},
            {"width", "Uniform thumbnail width in pixels", "N", text(v.sizeTexts[1])},
            {"height", "Uniform thumbnail height in pixels", "N", text(v.sizeTexts[0])},
            {"width-percent", "Thumbnail width in percent of the page; selects percentage sizing",
             "N", text(v.sizeTexts[2])},
            {"height-percent", "Thumbnail height in percent of the page; selects percentage sizing",
             "N", text(v.sizeTexts[3])},
            {"image-borders",
             "Show borders on the thumbnails",
             nullptr,
             {},
             v.imageBorders ? "on" : "off"},
            {"thumbnails",
             "Make small thumbnail files in a folder \"thumbs\" beside the page and show them "
             "in the pictures' proportions; each links to its picture",
             nullptr,
             {},
             v.thumbnailFiles ? "on" : "off"},
    };
    const std::vector<Option> modern = modernOptions();
    options.insert(options.end(), modern.begin(), modern.end());
    const std::vector<Option> after{
            {"text-color", "Body text colour", "COLOR", htmlColorText(v.labelColors[0])},
            {"link-color", "Link colour", "COLOR", htmlColorText(v.labelColors[1])},
            {"active-link-color", "Active link colour", "COLOR", htmlColorText(v.labelColors[2])},
            {"visited-link-color", "Visited link colour", "COLOR", htmlColorText(v.labelColors[3])},
            {"page-color", "Page colour", "COLOR", htmlColorText(v.pageColor)},
            {"background", "Page background picture", "FILE", {}, "none"},
            {"no-copy",
             "Do not copy the pictures next to the page; it refers to them where they are",
             nullptr,
             {},
             v.copyPictures ? "copy them" : "do not copy"},
            {"q,quiet", "Print only errors: no status lines and no summary"},
    };
    options.insert(options.end(), after.begin(), after.end());
    return options;
}

// Adds the options of the run; returns the names of the colour options.
QStringList addOptions(QCommandLineParser &parser)
{
    QStringList colorOptions;
    for (const Option &o : runOptions()) {
        QString description = QString::fromLatin1(o.description);
        const QString shown = o.shownDefault.isEmpty() ? o.defaultValue : o.shownDefault;
        if (!shown.isEmpty())
            description += QStringLiteral(" (default: %1)").arg(shown);
        QCommandLineOption option(QString::fromLatin1(o.names).split(QLatin1Char(',')),
                                  description + QLatin1Char('.'));
        if (o.valueName)
            option.setValueName(QLatin1String(o.valueName));
        if (!o.defaultValue.isEmpty())
            option.setDefaultValue(o.defaultValue);
        parser.addOption(option);
        if (option.names().constLast().endsWith(QLatin1String("-color")))
            colorOptions << option.names().constLast();
    }
    return colorOptions;
}

// Gives the parser everything vintora-cli understands, help and version
// first; returns the names of the colour options.
QStringList describeCommandLine(QCommandLineParser &parser, const QCommandLineOption &help,
                                const QCommandLineOption &version)
{
    parser.setApplicationDescription(QStringLiteral(
            "Makes one HTML thumbnail index page of the given pictures, as the Vintora wizard "
            "does.\nStatus lines and errors go to standard error; on success, a summary of what "
            "was written goes to standard output.\nN is a whole number from -32768 to 32767; "
            "COLOR is #RRGGBB or RRGGBB. Each --...-color option may also be written "
            "--...-colour."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(help);
    parser.addOption(version);
    const QStringList colorOptions = addOptions(parser);
    parser.addPositionalArgument(
            QStringLiteral("PATH"),
            QStringLiteral("A folder adds its pictures as \"Select a folder\" does; a file is "
                           "added as given. In the order given."),
            QStringLiteral("PATH..."));
    return colorOptions;
}

// Where the page goes (the output folder and the page's name) and the
// pictures it shows.
void readOutputAndPaths(Reader &r, CliRequest &request)
{
    const QString output = r.text("output");
    request.outputFolder = absoluteCliPath(output);
    const FileStatus outputStatus = StatFile(output);
    if (!r.isSet("output") || output.isEmpty()) {
        r.fail(QStringLiteral("--output: an output folder is required"));
    } else if (!outputStatus.exists()) {
        // A folder that is not there yet is made by the run, if it can be.
        request.makeOutputFolder = true;
        if (const QString problem = OutputFolderProblem(request.outputFolder); !problem.isEmpty())
            r.fail(QStringLiteral("--output: ") + problem);
    } else if (outputStatus.kind != FileStatus::Kind::Folder) {
        r.fail(QStringLiteral("--output: %1 is not a folder").arg(output));
    }
    request.pageName = r.isSet("name") || !r.isSet("modern")
                               ? r.text("name")
                               : QLatin1String(kStartValues.modernPageName);
    // The native separator and "/" both make a folder part, on every platform.
    if (const QString problem = PageNameProblem(request.pageName); !problem.isEmpty())
        r.fail(QStringLiteral("--name: ") + problem);
    request.paths = r.positionalArguments();
    if (request.paths.isEmpty())
        r.fail(QStringLiteral("no PATH given: name at least one picture or folder"));
    for (const QString &path : std::as_const(request.paths)) {
        if (!StatFile(path).exists())
            r.fail(QStringLiteral("%1: no such file or folder").arg(path));
    }
}

// The choices of the Page style page.
PageStyleControls readPageStyle(Reader &r)
{
    PageStyleControls style;
    style.labelColors = {r.color("text-color"), r.color("link-color"), r.color("active-link-color"),
                         r.color("visited-link-color")};
    style.previewBackColor = r.color("page-color");
    style.previewTag = r.existingFile("background");
    return style;
}

// The choices of the Table page; a table layout needs at least one column.
TableControls readTable(Reader &r, const QString &layoutStyle)
{
    TableControls table;
    table.numberTexts
            = {r.number("columns"), r.number("spacing"), r.number("padding"), r.number("border")};
    // A table of no columns can never be written.
    if (layoutStyle == QLatin1String(kLayoutTable)
        && readNumber(table.numberTexts[0]).value_or(1) < 1)
        r.fail(QStringLiteral("--columns: \"%1\" is too few; a table needs at least 1 column")
                       .arg(table.numberTexts[0]));
    table.cellPictureTag = r.existingFile("cell-picture");
    table.cellBackColor = r.color("cell-color");
    QStringList horizontal;
    QStringList vertical;
    for (int i = 0; i < 3; ++i) {
        horizontal << QLatin1String(kHorizontalAlignWords[i]);
        vertical << QLatin1String(kVerticalAlignWords[i]);
    }
    const QString align = r.word("align", horizontal);
    const QString valign = r.word("valign", vertical);
    for (int i = 0; i < 3; ++i) {
        table.alignOptions[i] = {horizontal[i] == align, horizontal[i]};
        table.alignOptions[i + 3] = {vertical[i] == valign, vertical[i]};
    }
    return table;
}

// The choices of the Thumbnails page: one sizing, by pixels or by percent.
ThumbnailControls readThumbnails(Reader &r)
{
    ThumbnailControls thumbnails;
    const bool percent = r.isSet("width-percent") || r.isSet("height-percent");
    if (percent && (r.isSet("width") || r.isSet("height")))
        r.fail(QStringLiteral("--width/--height and --width-percent/--height-percent choose "
                              "different sizings; give one pair"));
    thumbnails.uniformChosen = !percent;
    // The left box of each row is the height, the right box the width.
    thumbnails.sizeTexts = {r.number("height"), r.number("width"), r.number("width-percent"),
                            r.number("height-percent")};
    thumbnails.borders = r.isSet("image-borders") ? CheckState::Checked : CheckState::Unchecked;
    return thumbnails;
}

// The run the options ask for: request made a Run, or its message the first
// problem found, in the order the options are read.
void readRun(Reader &r, CliRequest &request)
{
    request.quiet = r.isSet("quiet");
    readOutputAndPaths(r, request);

    // The same captures as the wizard's pages, fed from the options.
    WizardSettings &s = request.settings;
    s.layoutStyle = r.word("layout", {QStringLiteral("table"), QStringLiteral("generic")});
    CapturePageStyle(s, readPageStyle(r));
    const TableControls table = readTable(r, s.layoutStyle);
    const ThumbnailControls thumbnails = readThumbnails(r);
    s.pageTitle = r.text("title");
    const QString order = r.word("order", {QLatin1String(kOrderByDate), QLatin1String(kOrderByName),
                                           QLatin1String(kOrderAsListed)});
    if (const qsizetype length = PageTitleLength(s.pageTitle.simplified());
        length > kLongestPageTitle)
        r.fail(QStringLiteral("--title: the title has %1 characters; it may have at most %2")
                       .arg(length)
                       .arg(kLongestPageTitle));
    if (!r.error().isEmpty()) {
        request.message = r.error();
        return;
    }
    // Every number was checked above, so the captures cannot refuse.
    (void) CaptureTable(s, table);
    (void) CaptureThumbnails(s, thumbnails);
    CapturePackaging(s, {!r.isSet("no-copy")});
    s.makeThumbnails = toFlag(r.isSet("thumbnails"));
    s.modernPage = toFlag(r.isSet("modern"));
    s.keepLocation = toFlag(r.isSet("keep-location"));
    s.makeAlbums = toFlag(kStartValues.makeAlbums && !r.isSet("no-albums"));
    s.pictureOrder = order;
    s.makeZips = toFlag(r.isSet("zip"));
    request.kind = CliRequest::Kind::Run;
}

} // namespace

CliRequest parseCliArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    const QStringList colorOptions = describeCommandLine(parser, help, version);

    CliRequest request;
    request.helpText = fullHelpText(parser.helpText());
    QSet<QString> colorSpelt;
    if (!parser.parse(withColorSpelling(arguments, colorOptions, colorSpelt))) {
        request.message = parser.errorText();
        return request;
    }
    if (parser.isSet(help)) {
        request.kind = CliRequest::Kind::Help;
        return request;
    }
    if (parser.isSet(version)) {
        request.kind = CliRequest::Kind::Version;
        request.message = QStringLiteral("vintora-cli %1").arg(QLatin1String(kVersionText));
        return request;
    }
    Reader r(parser);
    r.setColorSpelt(colorSpelt);
    readRun(r, request);
    return request;
}

} // namespace vintora
