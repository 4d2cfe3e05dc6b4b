#pragma once

#include "settings/captures.h"

#include <QObject>

#include <functional>

class QWidget;

namespace vintora {

class ClickableLabel;
class Dialogs;
class PictureBox;

inline constexpr const char *kClickToPreview = " (click to preview)";
inline constexpr const char *kNoneSelected = "(none selected)";

// The Table page's cell designer. "Cell Background" chooses the cell colour,
// kept as the back colour of its swatch; "Cell Picture" chooses the cell
// picture, kept as the tag of its swatch with the picture's top-left corner
// shown there and the path in its tooltip. A click on the cell picture's
// swatch while a picture is chosen shows it in the preview window.
class TableCellDesigner : public QObject
{
    Q_OBJECT

public:
    // Shows a short line on the page about a picture that could not be
    // used; an empty text clears the line.
    using Report = std::function<void(const QString &)>;
    // Shows the picture at the path and returns once the preview is closed:
    // an empty text, or the problem line when the picture did not load.
    using ShowPreview = std::function<QString(const QString &path)>;

    struct Widgets
    {
        ClickableLabel *cellColorLink = nullptr;   // labTable(0)
        PictureBox *cellColorSwatch = nullptr;     // picTable(0)
        ClickableLabel *cellPictureLink = nullptr; // labTable(1)
        PictureBox *cellPictureSwatch = nullptr;   // picTable(1)
    };

    // Without a showPreview, ShowPicturePreview is used with the owner's
    // window as the wizard.
    TableCellDesigner(QWidget *owner, Dialogs &dialogs, const Widgets &widgets, Report report,
                      ShowPreview showPreview = {}, QObject *parent = nullptr);

    // Fills what CaptureTable reads of these widgets: the cell colour and the
    // cell picture's path.
    void fillControls(TableControls &controls) const;

public slots:
    void chooseCellColor();
    void chooseCellPicture();
    // Shows the cell picture, loaded afresh from its path; nothing while no
    // picture is chosen.
    void previewCellPicture();

private:
    void report(const QString &line) const;

    QWidget *m_owner;
    Dialogs &m_dialogs;
    Widgets m_widgets;
    Report m_report;
    ShowPreview m_showPreview;
};

} // namespace vintora
