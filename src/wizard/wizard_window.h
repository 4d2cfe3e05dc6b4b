#pragma once

#include "settings/wizard_settings.h"
#include "wizard/pages/wizard_page.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;

namespace vintora {

class ClickableLabel;
class Dialogs;
class LayoutStylePage;
class OutputPage;
class PackagingPage;
class PageStylePage;
class PicturesPage;
class TablePage;
class ThumbnailsPage;
class UrlOpener;
class WelcomePage;

// The wizard window: eight pages in one fixed window over the sidebar
// picture, Back, Fore and Fin to walk them, and the page switch that
// captures each completed page into the settings record.
//
// The window, not the button pictures (which take no focus), answers the
// keyboard: Enter is Fore, or Fin on the Output page, unless a focused link
// takes it; Alt+Right is Fore and Alt+Left is Back, each only where its
// button shows. Every page switch gives the new page the focus. A page is built
// when it is first shown or first captured; until then its controls would
// hold their start values, which is what it starts with.
class WizardWindow : public QWidget
{
    Q_OBJECT

public:
    // The dialogs and the desktop's open action are handed in, so that tests
    // can script them.
    WizardWindow(WizardSettings &settings, Dialogs &dialogs, UrlOpener &urls,
                 QWidget *parent = nullptr);
    ~WizardWindow() override;

    WizardSettings &settings() { return m_settings; }

    // Switches to a page: hides all, captures the page just before it in
    // the forward order, shows the page and its buttons, and sets
    // currentPage last. A capture that meets a box without a usable number
    // shows that box's page instead, with the box marked and the problem
    // explained.
    void ShowPage(int page);
    void HidePages(int page);

    // Click handlers of the two wizard buttons.
    void ForeClicked();
    void BackClicked();
    // Enter on the window: Fore where it shows, else Fin where it shows and
    // no run is going on.
    void EnterPressed();

    // The page with that number, built if it was not yet; null for a number
    // outside 0..7.
    WizardPage *page(int number);
    bool isBuilt(int number) const;

    WelcomePage &welcomePage();
    PageStylePage &pageStylePage();
    LayoutStylePage &layoutStylePage();
    TablePage &tablePage();
    ThumbnailsPage &thumbnailsPage();
    PicturesPage &picturesPage();
    PackagingPage &packagingPage();
    OutputPage &outputPage();

    ClickableLabel *backButton() const { return m_back; }
    ClickableLabel *foreButton() const { return m_fore; }
    ClickableLabel *finButton() const { return m_fin; }
    QLabel *versionLabel() const { return m_version; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PicturesPage *makePicturesPage(Dialogs &dialogs);
    template<typename P>
    P &typedPage(int number)
    {
        return *static_cast<P *>(page(number));
    }
    // The page Fore (step 1) or Back (step -1) goes to from a page.
    int pageOnTheWay(int from, int step);
    void showRefused(WizardPage &refused);
    void addKeys();
    void chooseTextSize();
    // The pages that show the modern page's choice follow its check box.
    void followModernPage(bool modern);
    // The Thumbnails page, whose thumbnail files (and so the modern page)
    // let a folder add the phones' formats too.
    ThumbnailsPage *makeThumbnailsPage();
    bool everyTextFits();

    WizardSettings &m_settings;
    QPixmap m_sidebar;
    ClickableLabel *m_back;
    ClickableLabel *m_fore;
    ClickableLabel *m_fin;
    QLabel *m_version;
    std::array<std::function<WizardPage *()>, kPageCount> m_makePage;
    std::array<WizardPage *, kPageCount> m_pages{};
    bool m_textSizeChosen = false;
};

} // namespace vintora
