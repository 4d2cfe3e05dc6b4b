#include "wizard/pages/wizard_page.h"

#include "base/twips.h"
#include "controls/keyboard_activation.h"
#include "wizard/pages/page_widgets.h"
#include "wizard/pages/text_fitting.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace vintora {

namespace {

void setMarked(QLineEdit *box, bool marked)
{
    if (box->property("problem").toBool() == marked)
        return;
    box->setProperty("problem", marked);
    box->setStyleSheet(marked ? QStringLiteral("QLineEdit { border: 1px solid #c62828; "
                                               "background: #fdecea; }")
                              : QString());
}

// The band lies over the page's instruction text at the top of the panel,
// where the user looks first; a long text makes it taller.
QLabel *makeProblemLine(QWidget *page, int number)
{
    auto *line = place(new QLabel(page), catalogueName("lblProblem", number),
                       twipsRect(120, 120, 3735, 615));
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    line->setAutoFillBackground(true);
    QPalette p = line->palette();
    p.setColor(QPalette::Window, QColor(0xFD, 0xEC, 0xEA));
    p.setColor(QPalette::WindowText, QColor(0xA3, 0x1D, 0x1D));
    line->setPalette(p);
    line->setMargin(3);
    line->hide();
    return line;
}

} // namespace

WizardPage::WizardPage(int number, QWidget *window) : QWidget(window), m_number(number)
{
    setObjectName(catalogueName("picFrame", number));
    setGeometry(twipsRect(2880, 120, 3975, 4215));
    setAutoFillBackground(true);
    // The page itself is the first stop of Tab on it: with the focus here,
    // as after every page switch, Enter goes on, whatever the page holds.
    setFocusPolicy(Qt::TabFocus);
    static const char *const titles[kPageCount]
            = {"Welcome",    "Page style", "Layout style", "Table",
               "Thumbnails", "Pictures",   "Packaging",    "Output"};
    if (number >= 0 && number < kPageCount)
        setAccessibleName(QLatin1String(titles[number]));
    hide();
}

void WizardPage::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!showsFocusFrame())
        return;
    // Along the panel's edges, where no control of the catalogue lies.
    QPainter painter(this);
    paintFocusFrame(this, painter, rect().adjusted(0, 0, -1, -1));
}

bool WizardPage::capture(WizardSettings &settings)
{
    if (!captureControls(settings))
        return false;
    for (const auto &[choice, field] : m_copied)
        settings.*field = toFlag(choice->isChecked());
    return true;
}

bool WizardPage::captureControls(WizardSettings &)
{
    return true;
}

void WizardPage::captureOnEntry(WizardSettings &) {}

bool WizardPage::leaveForward(WizardSettings &)
{
    return true;
}

bool WizardPage::isOnTheWay(const WizardSettings &) const
{
    return true;
}

void WizardPage::copyIntoRecord(QAbstractButton *choice, qint16 WizardSettings::*field)
{
    m_copied.emplace_back(choice, field);
}

void WizardPage::showProblem(const QString &text)
{
    if (!m_problemLine) {
        if (text.isEmpty())
            return;
        m_problemLine = makeProblemLine(this, m_number);
    }
    m_problemLine->setText(text);
    m_problemLine->setVisible(!text.isEmpty());
    if (text.isEmpty())
        return;
    m_problemLine->resize(m_problemLine->width(),
                          qMax(twipsToPixels(m_problemLineTwips),
                               m_problemLine->heightForWidth(m_problemLine->width())));
    m_problemLine->raise();
    // Screen readers say it at once, wherever the focus is.
    QAccessibleEvent alert(m_problemLine, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QString WizardPage::problemText() const
{
    return m_problemLine ? m_problemLine->text() : QString();
}

bool WizardPage::showsProblem() const
{
    return m_problemLine && m_problemLine->isVisible();
}

void WizardPage::markBox(QLineEdit *box, const QString &message,
                         std::function<bool(const QString &)> accepts)
{
    if (m_marks.contains(box))
        disconnect(m_marks.value(box));
    setMarked(box, true);
    const auto edits = connect(box, &QLineEdit::textEdited, this,
                               [this, box, message, accepts](const QString &text) {
                                   if (!accepts(text))
                                       return;
                                   unmark(box);
                                   if (problemText() == message)
                                       showProblem(QString());
                               });
    m_marks.insert(box, edits);
    showProblem(message);
    m_lastMarked = box;
    if (isVisible())
        focusMarkedBox();
}

void WizardPage::unmark(QLineEdit *box)
{
    disconnect(m_marks.take(box));
    setMarked(box, false);
}

void WizardPage::clearProblems()
{
    const QList<QLineEdit *> marked = m_marks.keys();
    for (QLineEdit *box : marked)
        unmark(box);
    showProblem(QString());
}

void WizardPage::focusMarkedBox()
{
    if (!m_lastMarked || !m_marks.contains(m_lastMarked))
        return;
    m_lastMarked->setFocus();
    m_lastMarked->selectAll();
}

QList<QWidget *> WizardPage::texts() const
{
    QList<QWidget *> texts = findChildren<QWidget *>();
    texts.removeOne(m_problemLine);
    return texts;
}

bool WizardPage::everyTextFits() const
{
    // Longest first: one text that does not fit settles the answer, and a
    // long text is the likeliest not to.
    QList<QWidget *> all = texts();
    std::stable_sort(all.begin(), all.end(), [](const QWidget *a, const QWidget *b) {
        return textLength(a) > textLength(b);
    });
    return std::all_of(all.cbegin(), all.cend(),
                       [this](const QWidget *text) { return textFits(text, visibleSize(text)); });
}

void WizardPage::shrinkTextsThatDoNotFit()
{
    for (QWidget *text : texts())
        shrinkUntilFits(text, visibleSize(text));
}

void WizardPage::followWindowFont(double) {}

QSize WizardPage::visibleSize(const QWidget *text) const
{
    return text->size();
}

} // namespace vintora
