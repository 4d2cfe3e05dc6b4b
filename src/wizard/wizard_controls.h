#pragma once

#include "wizard/controls/clickable_label.h"
#include "wizard/controls/picture_box.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QRadioButton>

#include <array>

namespace vintora {

inline constexpr int kPageCount = 8;

// Pages by number; the number is also the index of the page's panel.
enum Page {
    kWelcomePage = 0,
    kPageStylePage = 1,
    kLayoutStylePage = 2,
    kTablePage = 3,
    kThumbnailsPage = 4,
    kPicturesPage = 5,
    kPackagingPage = 6,
    kOutputPage = 7,
};

// Every control of the wizard window, by its catalogue name. Control arrays
// are arrays indexed as in the catalogue; each widget's object name is the
// catalogue name with its index, for example "Label1(8)".
struct WizardControls
{
    std::array<QWidget *, kPageCount> picFrame{};
    ClickableLabel *btnBack = nullptr;
    ClickableLabel *btnFore = nullptr;
    ClickableLabel *btnFin = nullptr;
    QLabel *lblVersion = nullptr;
    QFrame *Line1 = nullptr;
    QMap<int, QLabel *> Label1; // the static texts, by index

    // Page 0, Welcome
    std::array<ClickableLabel *, 3> Image4{};
    // Page 1, Page style
    QLabel *Image2 = nullptr;
    PictureBox *picPreview = nullptr;
    std::array<ClickableLabel *, 6> pgpref{};
    // Page 2, Layout style
    std::array<QLabel *, 2> Image1{};
    std::array<QRadioButton *, 2> optStyle{};
    // Page 3, Table
    std::array<QLineEdit *, 4> Text1{};
    std::array<QGroupBox *, 2> Frame1{};
    std::array<QRadioButton *, 6> optTableAlign{};
    std::array<ClickableLabel *, 2> labTable{};
    std::array<PictureBox *, 2> picTable{};
    // Page 4, Thumbnails
    std::array<QRadioButton *, 2> optsize{};
    std::array<QLineEdit *, 4> txtSize{};
    std::array<QCheckBox *, 1> Check1{};
    // Page 5, Pictures
    QListView *lstFiles = nullptr;
    std::array<ClickableLabel *, 2> labGetFile{};
    // Page 6, Packaging
    std::array<QLabel *, 2> Image3{};
    std::array<QRadioButton *, 2> optCopy{};
    // Page 7, Output
    QLineEdit *txtFilename = nullptr;
    QLabel *labStatus = nullptr;

    // One line per page on which the wizard explains a problem (a box that
    // holds no number, a picture that does not load). Hidden while empty.
    std::array<QLabel *, kPageCount> problemLine{};
};

// Creates every control of the wizard window at its start value and place.
void buildWizardControls(QWidget *window, WizardControls &controls);

} // namespace vintora
