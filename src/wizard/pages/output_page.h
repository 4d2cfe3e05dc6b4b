#pragma once

#include "wizard/pages/wizard_page.h"

class QLabel;
class QLineEdit;

namespace vintora {

class ClickableLabel;
class Dialogs;
class FinController;
class PictureList;
class UrlOpener;

// Page 7: the page's file name, the page title (used by the modern page
// only) and the status line of the Fin run. Under the status line, once a
// run has written the page, "Open the page" opens it with the desktop's open
// action; it hides again when a new run starts.
class OutputPage : public WizardPage
{
    Q_OBJECT

public:
    // The run reads the record and the picture list as they are at Fin,
    // and puts the title box's text into the record as it starts.
    OutputPage(QWidget *window, Dialogs &dialogs, UrlOpener &urls, WizardSettings &settings,
               PictureList &pictures);

    QLineEdit *fileNameBox() const { return m_fileNameBox; }
    QLineEdit *titleBox() const { return m_titleBox; }
    QLabel *statusLine() const { return m_statusLine; }
    ClickableLabel *openPageLink() const { return m_openPageLink; }
    FinController &finController() const { return *m_fin; }

    // Until the user types a name, the name box shows index.html while the
    // modern page is chosen, and the classic page's name otherwise.
    void followModernPage(bool modern);

public slots:
    // Fin: a page name that is not a plain file name is refused here, before
    // any folder is asked for; otherwise the run starts.
    void finish();
    // Opens the page the last run wrote.
    void openPage();

signals:
    void runningChanged(bool running);

protected:
    // The record takes the title as the box shows it when the page shows.
    void captureOnEntry(WizardSettings &settings) override;

private:
    void runningChange(bool running);

    UrlOpener &m_urls;
    QLineEdit *m_fileNameBox;
    QLineEdit *m_titleBox;
    QLabel *m_statusLine;
    ClickableLabel *m_openPageLink;
    FinController *m_fin;
    QString m_writtenPage;
    bool m_nameTyped = false;
};

} // namespace vintora
