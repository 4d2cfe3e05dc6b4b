#include "cli/cli_options.h"
#include "cli/cli_run.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestCliOptions : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_picture;

    CliRequest parse(QStringList extra) const
    {
        QStringList args{"vintora-cli", "-o", m_dir.path()};
        args += extra;
        if (!extra.contains("PATHLESS"))
            args << m_picture;
        args.removeAll("PATHLESS");
        args.replaceInStrings("PICTURE", m_picture);
        return parseCliArguments(args);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_picture = m_dir.filePath("a.jpg");
        QFile file(m_picture);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    // The wizard's start values; colours as the record holds them, red in
    // the lowest byte.
    void defaults_are_the_wizards()
    {
        const CliRequest r = parse({});
        QCOMPARE(int(r.kind), int(CliRequest::Kind::Run));
        const WizardSettings expected{.currentPage = 0, // the command line switches no pages
                                      .layoutStyle = "table",
                                      .textColor = 0x000000,
                                      .linkColor = 0xFF0000,       // blue
                                      .activeLinkColor = 0x0000FF, // red
                                      .visitedLinkColor = 0xC000C0,
                                      .pageColor = 0xFFFFFF,
                                      .backgroundPicture = "",
                                      .tableColumns = 4,
                                      .cellSpacing = 1,
                                      .cellPadding = 1,
                                      .tableBorder = 0,
                                      .thumbHeight = 100,
                                      .thumbWidth = 100,
                                      .thumbHeightPercent = 0,
                                      .thumbWidthPercent = 0,
                                      .imageBorders = 0,
                                      .cellColor = 0xFFFFFF,
                                      .cellPicture = "",
                                      .cellAlign = "Center",
                                      .cellVAlign = "Middle",
                                      .copyPictures = -1,
                                      .makeThumbnails = 0,
                                      .modernPage = 0,
                                      .pageTitle = "",
                                      .keepLocation = 0,
                                      .makeAlbums = -1,
                                      .pictureOrder = "date",
                                      .makeZips = 0};
        QCOMPARE(r.settings, expected);
        QCOMPARE(r.pageName, QString("vintora.htm"));
        QCOMPARE(r.paths, QStringList{m_picture});
    }

    void each_option_lands_in_its_field_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        const auto row = [](const char *name, QStringList args, const char *field, QVariant v) {
            QTest::newRow(name) << args << QString(field) << v;
        };
        row("layout", {"--layout", "generic"}, "layoutStyle", "generic");
        row("layout any case", {"--layout", "GENERIC"}, "layoutStyle", "generic");
        row("columns", {"--columns", " 6 "}, "tableColumns", 6);
        row("columns half to even", {"--columns", "6.5"}, "tableColumns", 6);
        row("spacing", {"--spacing", "3"}, "cellSpacing", 3);
        row("padding", {"--padding", "-2"}, "cellPadding", -2);
        row("border", {"--border", "7.5"}, "tableBorder", 8);
        row("align", {"--align", "right"}, "cellAlign", "Right");
        row("valign", {"--valign", "Top"}, "cellVAlign", "Top");
        row("cell colour", {"--cell-color", "#102030"}, "cellColor", 0x302010u);
        row("width", {"--width", "120"}, "thumbWidth", 120);
        row("height", {"--height", "80"}, "thumbHeight", 80);
        row("width percent", {"--width-percent", "40"}, "thumbWidthPercent", 40);
        row("height percent", {"--height-percent", "30"}, "thumbHeightPercent", 30);
        row("percent clears pixels", {"--height-percent", "30"}, "thumbHeight", 0);
        row("percent default other", {"--height-percent", "30"}, "thumbWidthPercent", 25);
        row("borders", {"--image-borders"}, "imageBorders", -1);
        row("thumbnail files", {"--thumbnails"}, "makeThumbnails", -1);
        row("text colour", {"--text-color", "FF0000"}, "textColor", 0x0000FFu);
        row("link colour", {"--link-color", "#00ff00"}, "linkColor", 0x00FF00u);
        row("active colour", {"--active-link-color", "#0000FF"}, "activeLinkColor", 0xFF0000u);
        row("visited colour", {"--visited-link-color", "#123456"}, "visitedLinkColor", 0x563412u);
        row("page colour", {"--page-color", "#ABCDEF"}, "pageColor", 0xEFCDABu);
        row("no copy", {"--no-copy"}, "copyPictures", 0);
        row("keep location", {"--keep-location"}, "keepLocation", -1);
        row("order by name", {"--order", "name"}, "pictureOrder", "name");
        row("order as listed", {"--order", "LIST"}, "pictureOrder", "list");
        row("order by date", {"--order=date"}, "pictureOrder", "date");
        row("text colour spelt -colour", {"--text-colour=FF0000"}, "textColor", 0x0000FFu);
        row("link colour spelt -colour", {"-link-colour", "#00ff00"}, "linkColor", 0x00FF00u);
        row("page colour spelt -colour", {"--page-colour", "#ABCDEF"}, "pageColor", 0xEFCDABu);
        row("the later spelling wins", {"--page-colour", "#ABCDEF", "--page-color", "#000001"},
            "pageColor", 0x010000u);
    }

    void each_option_lands_in_its_field()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        const CliRequest r = parse(args);
        QCOMPARE(int(r.kind), int(CliRequest::Kind::Run));
        const WizardSettings &s = r.settings;
        const QMap<QString, QVariant> fields{
                {"layoutStyle", s.layoutStyle},
                {"tableColumns", int(s.tableColumns)},
                {"cellSpacing", int(s.cellSpacing)},
                {"cellPadding", int(s.cellPadding)},
                {"tableBorder", int(s.tableBorder)},
                {"cellAlign", s.cellAlign},
                {"cellVAlign", s.cellVAlign},
                {"cellColor", s.cellColor},
                {"thumbWidth", int(s.thumbWidth)},
                {"thumbHeight", int(s.thumbHeight)},
                {"thumbWidthPercent", int(s.thumbWidthPercent)},
                {"thumbHeightPercent", int(s.thumbHeightPercent)},
                {"imageBorders", int(s.imageBorders)},
                {"textColor", s.textColor},
                {"linkColor", s.linkColor},
                {"activeLinkColor", s.activeLinkColor},
                {"visitedLinkColor", s.visitedLinkColor},
                {"pageColor", s.pageColor},
                {"copyPictures", int(s.copyPictures)},
                {"makeThumbnails", int(s.makeThumbnails)},
                {"keepLocation", int(s.keepLocation)},
                {"pictureOrder", s.pictureOrder},
        };
        QVERIFY(fields.contains(field));
        QCOMPARE(fields[field], value);
    }

    void pictures_options_are_made_absolute()
    {
        const QString relative = QDir::current().relativeFilePath(m_picture);
        const CliRequest r = parse({"--background", relative, "--cell-picture", m_picture});
        QCOMPARE(int(r.kind), int(CliRequest::Kind::Run));
        QCOMPARE(r.settings.backgroundPicture, QDir::toNativeSeparators(m_picture));
        QCOMPARE(r.settings.cellPicture, QDir::toNativeSeparators(m_picture));
    }

    void usage_errors_name_the_option_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("columns text") << QStringList{"--columns", "four"} << "--columns";
        QTest::newRow("width range") << QStringList{"--width", "40000"} << "--width";
        QTest::newRow("colour") << QStringList{"--page-color", "#12345"} << "--page-color";
        QTest::newRow("colour name") << QStringList{"--text-color", "red"} << "--text-color";
        QTest::newRow("colour as spelt")
                << QStringList{"--page-colour", "red"} << "--page-colour: \"red\" is not a colour";
        QTest::newRow("no -colour for others")
                << QStringList{"--width-colour", "1"} << "Unknown option 'width-colour'.";
        QTest::newRow("layout") << QStringList{"--layout", "grid"} << "--layout";
        QTest::newRow("align") << QStringList{"--align", "Middle"} << "--align";
        QTest::newRow("order") << QStringList{"--order", "size"}
                               << "--order: \"size\" is not one of date, name, list";
        QTest::newRow("mixed sizing")
                << QStringList{"--width", "5", "--width-percent", "5"} << "--width";
        QTest::newRow("missing background")
                << QStringList{"--background", "/no/such.gif"} << "--background";
        QTest::newRow("unknown option") << QStringList{"--colums", "4"} << "colums";
        QTest::newRow("missing value")
                << QStringList{"PATHLESS", "PICTURE", "--columns"} << "columns";
        QTest::newRow("no path") << QStringList{"PATHLESS"} << "PATH";
        QTest::newRow("title over 200 characters")
                << QStringList{"--title", QString(201, 't')}
                << "--title: the title has 201 characters; it may have at most 200";
    }

    void usage_errors_name_the_option()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const CliRequest r = parse(args);
        QCOMPARE(int(r.kind), int(CliRequest::Kind::UsageError));
        QVERIFY2(r.message.contains(named), qPrintable(r.message));
        QVERIFY(r.helpText.contains("--output"));
    }

    void output_is_required_and_made_when_missing()
    {
        CliRequest r = parseCliArguments({"vintora-cli", m_picture});
        QCOMPARE(int(r.kind), int(CliRequest::Kind::UsageError));
        QVERIFY(r.message.contains("--output"));
        r = parseCliArguments({"vintora-cli", "--output", m_dir.filePath("none/new"), m_picture});
        QCOMPARE(int(r.kind), int(CliRequest::Kind::Run));
        QVERIFY(r.makeOutputFolder);
        QVERIFY(!QFileInfo::exists(m_dir.filePath("none"))); // made by the run, not here
        r = parseCliArguments({"vintora-cli", "--output", m_dir.path(), m_picture});
        QVERIFY(!r.makeOutputFolder);
    }

    void summary_line_data()
    {
        QTest::addColumn<bool>("copied");
        QTest::addColumn<QList<int>>("counts"); // copied, in place, made, kept
        QTest::addColumn<bool>("madeFolder");
        QTest::addColumn<QString>("line");
        QTest::newRow("one copy, two in place")
                << true << QList<int>{1, 2, 0, 0} << false
                << "Wrote /o/vintora.htm (12,345 bytes), 1 copied picture (1,234,567 bytes) and "
                   "2 already in place.";
        QTest::newRow("everything") << true << QList<int>{3, 2, 3, 2} << true
                                    << "Made the folder /o. Wrote /o/vintora.htm (12,345 bytes), 3 "
                                       "copied pictures (1,234,567 bytes), 2 already in place and "
                                       "5 thumbnails (3 made, 2 kept).";
        QTest::newRow("not copied") << false << QList<int>{0, 0, 0, 0} << false
                                    << "Wrote /o/vintora.htm (12,345 bytes); the pictures were "
                                       "not copied.";
        QTest::newRow("thumbnails, not copied")
                << false << QList<int>{0, 0, 0, 1} << false
                << "Wrote /o/vintora.htm (12,345 bytes) and 1 thumbnail (0 made, 1 kept); the "
                   "pictures were not copied.";
    }

    void summary_line()
    {
        QFETCH(bool, copied);
        QFETCH(QList<int>, counts);
        QFETCH(bool, madeFolder);
        QFETCH(QString, line);
        CliRequest request;
        request.outputFolder = "/o";
        request.settings.copyPictures = copied ? kTrue : kFalse;
        FinOutcome outcome;
        outcome.pagePath = "/o/vintora.htm";
        outcome.copiedPictures = counts[0];
        outcome.copiedBytes = copied ? 1234567 : 0;
        outcome.copiesInPlace = counts[1];
        outcome.thumbnailsMade = counts[2];
        outcome.thumbnailsKept = counts[3];
        QCOMPARE(CliSummaryLine(request, outcome, 12345, madeFolder), line);
    }

    void summary_tells_of_location_data()
    {
        QTest::addColumn<bool>("copied");
        QTest::addColumn<QList<int>>("counts"); // with location, removed, withheld
        QTest::addColumn<QString>("line");
        QTest::newRow("copies that tell it")
                << true << QList<int>{2, 0, 0}
                << "Wrote /o/vintora.htm (12,345 bytes) and 0 copied pictures (0 bytes). 2 "
                   "copies tell where they were taken (GPS or the place's name).";
        QTest::newRow("one picture on the page tells it")
                << false << QList<int>{1, 0, 0}
                << "Wrote /o/vintora.htm (12,345 bytes); the pictures were not copied. 1 picture "
                   "on the page tells where it was taken (GPS or the place's name).";
        QTest::newRow("removed, one withheld")
                << true << QList<int>{0, 3, 1}
                << "Wrote /o/vintora.htm (12,345 bytes) and 0 copied pictures (0 bytes). Removed "
                   "where they were taken from 3 copies. 1 picture was not published at full "
                   "size, as where it was taken could not be removed.";
    }
    void summary_tells_of_location()
    {
        QFETCH(bool, copied);
        QFETCH(QList<int>, counts);
        QFETCH(QString, line);
        CliRequest request;
        request.outputFolder = "/o";
        request.settings.copyPictures = copied ? kTrue : kFalse;
        FinOutcome outcome;
        outcome.pagePath = "/o/vintora.htm";
        outcome.picturesWithLocation = counts[0];
        outcome.locationsRemoved = counts[1];
        outcome.fullSizeWithheld = counts[2];
        QCOMPARE(CliSummaryLine(request, outcome, 12345, false), line);
    }

    // Both spellings of each that --help lists.
    void help_and_version_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        const int help = int(CliRequest::Kind::Help);
        const int version = int(CliRequest::Kind::Version);
        QTest::newRow("--help") << "--help" << help << "";
        QTest::newRow("-h") << "-h" << help << "";
        QTest::newRow("--version") << "--version" << version << "vintora-cli 2.0.4";
        QTest::newRow("-v") << "-v" << version << "vintora-cli 2.0.4";
    }
    void help_and_version()
    {
        QFETCH(QString, argument);
        QFETCH(int, kind);
        QFETCH(QString, message);
        const CliRequest r = parseCliArguments({"vintora-cli", argument});
        QCOMPARE(int(r.kind), kind);
        QCOMPARE(r.message, message);
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "test_cli_options.moc"
