#pragma once

#include "wizard/captures.h"

#include <QObject>

#include <array>
#include <functional>

class QWidget;

namespace vintora {

class ClickableLabel;
class Dialogs;
class PictureBox;

inline constexpr const char *kClickToPreview = " (click to preview)";
inline constexpr const char *kNoneSelected = "(none selected)";

// The Table page's cell designer. labTable(0) chooses the cell colour, kept
// as the back colour of the swatch picTable(0); labTable(1) chooses the cell
// picture, kept as the tag of picTable(1) with the picture's top-left corner
// shown in that swatch and the path in its tooltip. A click on picTable(1)
// while a cell picture is chosen shows the picture in the preview window.
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

    // Without a showPreview, ShowPicturePreview is used with the owner's
    // window as the wizard.
    TableCellDesigner(QWidget *owner, Dialogs &dialogs,
                      const std::array<ClickableLabel *, 2> &labTable,
                      const std::array<PictureBox *, 2> &picTable, Report report,
                      ShowPreview showPreview = {}, QObject *parent = nullptr);

    // labTable(index) was clicked: 0 the cell colour, 1 the cell picture;
    // any other index does nothing.
    void labelClick(int index);
    // picTable(index) was clicked: previews the cell picture when index is 1
    // and a picture is chosen, loading it afresh from its path.
    void swatchClick(int index);

    // Fills what CaptureTable reads of these widgets: the cell colour and the
    // cell picture's path.
    void fillControls(TableControls &controls) const;

private:
    void chooseCellColor();
    void chooseCellPicture();
    void report(const QString &line) const;

    QWidget *m_owner;
    Dialogs &m_dialogs;
    std::array<PictureBox *, 2> m_swatches;
    Report m_report;
    ShowPreview m_showPreview;
};

} // namespace vintora
