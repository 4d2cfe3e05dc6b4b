#pragma once

#include "settings/wizard_settings.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;

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

// One page of the wizard: the white panel picFrame(number) at the page
// area's place, hidden until the page switch shows it. It builds and holds
// its own controls. Over its instruction text lies a band that explains a
// problem (a box whose entry cannot be used, a picture that does not load),
// shown only while there is one. While the page itself holds the focus (after
// a page switch, or Tab past its last control), a frame around the panel
// shows it: Enter then goes on, and typing goes into no box.
class WizardPage : public QWidget
{
    Q_OBJECT

public:
    WizardPage(int number, QWidget *window);

    int number() const { return m_number; }

    // Whether the frame that shows the page's own focus is drawn.
    bool showsFocusFrame() const { return hasFocus(); }

    // Copies the page's choices into the record. The page switch runs it on
    // entering the page after this one in the forward order. False when a
    // box does not read: the record is as it was, and the page has marked
    // the box and says why.
    bool capture(WizardSettings &settings);
    // The page switch has just shown this page: copies into the record what
    // the page holds that is read again from the page itself later (the
    // default has nothing to copy).
    virtual void captureOnEntry(WizardSettings &settings);
    // Fore was pressed on this page. False keeps the user on it; the page
    // has said why.
    virtual bool leaveForward(WizardSettings &settings);
    // Whether Fore and Back stop at this page.
    virtual bool isOnTheWay(const WizardSettings &settings) const;

    // The band; an empty text hides it.
    void showProblem(const QString &text);
    QString problemText() const;
    bool showsProblem() const;
    // Takes back the band and every mark: a page switch has completed.
    void clearProblems();
    // Gives the box marked last the focus, its text selected.
    void focusMarkedBox();

    // Whether every text of the page fits its place in its font as it is.
    bool everyTextFits() const;
    // Shrinks each text that does not fit on its own.
    void shrinkTextsThatDoNotFit();
    // The window's texts are now set at that size; a text with a size of
    // its own follows.
    virtual void followWindowFont(double pointSize);

protected:
    void paintEvent(QPaintEvent *event) override;

    // The page's own part of capture(); the default has nothing to copy.
    virtual bool captureControls(WizardSettings &settings);
    // A plain on/off choice that goes into the record as it is: the page
    // copies it at every capture, after captureControls().
    void copyIntoRecord(QAbstractButton *choice, qint16 WizardSettings::*field);
    // Marks a box whose entry cannot be used and says why in the band. The
    // mark and the band go as soon as the box holds an entry that accepts()
    // takes.
    void markBox(QLineEdit *box, const QString &message,
                 std::function<bool(const QString &)> accepts);
    // The part of a text's place that stays visible, where another control
    // lies over the rest.
    virtual QSize visibleSize(const QWidget *text) const;
    // The least height of the band, in twips: enough to hide the whole of
    // the page's instruction text under it, never a part of a line.
    void setProblemLineHeight(int twips) { m_problemLineTwips = twips; }

private:
    void unmark(QLineEdit *box);
    QList<QWidget *> texts() const;

    int m_number;
    QLabel *m_problemLine = nullptr;                     // made when first needed
    int m_problemLineTwips = 615;                        // its least height
    QHash<QLineEdit *, QMetaObject::Connection> m_marks; // each box's watch on its edits
    QPointer<QLineEdit> m_lastMarked;
    std::vector<std::pair<QAbstractButton *, qint16 WizardSettings::*>> m_copied;
};

} // namespace vintora
