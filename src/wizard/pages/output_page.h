#pragma once

#include "wizard/pages/wizard_page.h"

class QLabel;
class QLineEdit;

namespace vintora {

class Dialogs;
class FinController;
class PictureList;

// Page 7: the page's file name and the status line of the Fin run.
class OutputPage : public WizardPage
{
    Q_OBJECT

public:
    // The run reads the record and the picture list as they are at Fin.
    OutputPage(QWidget *window, Dialogs &dialogs, const WizardSettings &settings,
               PictureList &pictures);

    QLineEdit *fileNameBox() const { return m_fileNameBox; }
    QLabel *statusLine() const { return m_statusLine; }
    FinController &finController() const { return *m_fin; }

public slots:
    // Fin: a page name that is not a plain file name is refused here, before
    // any folder is asked for; otherwise the run starts.
    void finish();

signals:
    void runningChanged(bool running);

private:
    QLineEdit *m_fileNameBox;
    QLabel *m_statusLine;
    FinController *m_fin;
};

} // namespace vintora
