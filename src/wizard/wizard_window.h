#pragma once

#include "wizard/captures.h"
#include "wizard/wizard_controls.h"
#include "wizard/wizard_settings.h"

#include <QPixmap>
#include <QWidget>

namespace vintora {

class Dialogs;
class FinController;
class PageStyleDesigner;
class PictureList;
class TableCellDesigner;
class UrlOpener;
class WelcomeLinks;

// The wizard window: eight pages in one fixed window, Fore and Back to walk
// them, and the page switch that captures each completed page into the
// settings record.
class WizardWindow : public QWidget
{
    Q_OBJECT

public:
    // The dialogs and the desktop's open action are handed in, so that tests
    // can script them.
    WizardWindow(WizardSettings &settings, Dialogs &dialogs, UrlOpener &urls,
                 QWidget *parent = nullptr);
    ~WizardWindow() override;

    const WizardControls &controls() const { return m_controls; }
    PictureList &pictureList() { return *m_pictures; }
    FinController &finController() { return *m_fin; }
    WizardSettings &settings() { return m_settings; }

    // Switches to a page: hides all, captures the page just completed when
    // entering page 2, 4, 5 or 7, shows the page and its buttons, and sets
    // currentPage last. A capture that meets a box without a number shows
    // that box's page instead, with the box marked and the problem explained.
    void ShowPage(int page);
    void HidePages(int page);

    // Click handlers of the two wizard buttons.
    void ForeClicked();
    void BackClicked();

    // The problem line of a page: shown while text is not empty.
    void showProblem(int page, const QString &text);
    QString problemText(int page) const;

    // What the captures read of the pages.
    PageStyleControls pageStyleControls() const;
    TableControls tableControls() const;
    ThumbnailControls thumbnailControls() const;
    PackagingControls packagingControls() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void reportBadNumber(const BadNumberBox &box, const QString &message);
    void clearMarks();
    QLineEdit *numberBox(const BadNumberBox &box) const;

    WizardSettings &m_settings;
    WizardControls m_controls;
    QPixmap m_sidebar;
    PageStyleDesigner *m_pageStyle = nullptr;
    TableCellDesigner *m_tableCell = nullptr;
    WelcomeLinks *m_welcomeLinks = nullptr;
    PictureList *m_pictures = nullptr;
    FinController *m_fin = nullptr;
};

} // namespace vintora
