#pragma once

#include "settings/captures.h"
#include "wizard/pages/wizard_page.h"

#include <array>

class QLineEdit;
class QRadioButton;

namespace vintora {

class ClickableLabel;
class Dialogs;
class PictureBox;
class TableCellDesigner;

// Page 3: the table that holds the thumbnails: four number boxes, the two
// alignment groups and the cell designer. Fore and Back stop here only with
// the table layout, but its choices are captured with either layout.
class TablePage : public WizardPage
{
    Q_OBJECT

public:
    TablePage(QWidget *window, Dialogs &dialogs);

    QLineEdit *columnsBox() const { return m_columnsBox; }
    QLineEdit *spacingBox() const { return m_spacingBox; }
    QLineEdit *paddingBox() const { return m_paddingBox; }
    QLineEdit *borderBox() const { return m_borderBox; }
    ClickableLabel *cellColorLink() const { return m_cellColorLink; }
    ClickableLabel *cellPictureLink() const { return m_cellPictureLink; }

    // What CaptureTable reads.
    TableControls controls() const;

    // A table needs a column: with the table layout, a column count below 1
    // keeps the user here.
    bool leaveForward(WizardSettings &settings) override;
    bool isOnTheWay(const WizardSettings &settings) const override;

protected:
    bool captureControls(WizardSettings &settings) override;
    QSize visibleSize(const QWidget *text) const override;

private:
    void markColumns(const QString &message);
    // Gives the swatches and their links the values they show, in words;
    // the cell picture's swatch takes the focus while it has a picture to
    // show.
    void describeValues();

    QLineEdit *m_columnsBox;
    QLineEdit *m_spacingBox;
    QLineEdit *m_paddingBox;
    QLineEdit *m_borderBox;
    // Left, Center, Right and Top, Middle, Bottom.
    std::array<QRadioButton *, 3> m_horizontal{};
    std::array<QRadioButton *, 3> m_vertical{};
    ClickableLabel *m_cellColorLink;
    PictureBox *m_cellColorSwatch;
    ClickableLabel *m_cellPictureLink;
    PictureBox *m_cellPictureSwatch;
    TableCellDesigner *m_designer;
};

} // namespace vintora
