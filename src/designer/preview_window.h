#pragma once

#include <QDialog>

class QScrollArea;

namespace vintora {

class PictureBox;

// frmPreview: a small dialog, "Picture Preview", that shows one picture at
// its natural size in picView. It belongs to the wizard window, so the
// window manager keeps it above the wizard; it has no minimise or maximise
// box, and should the window manager minimise it anyway while the wizard is
// on screen, it comes back at once (hidden, it would leave the wizard
// blocked with nothing to close). The client area is sized to show the
// whole picture, and at least the caption; a picture larger than the screen
// allows scrolls inside it. Escape or the close box closes it.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget *wizard = nullptr);

    PictureBox *picView() const { return m_picView; }
    QScrollArea *scrollArea() const { return m_scrollArea; }

    // Puts the picture into picView, which takes its size plus its border,
    // places the window's outer top-left corner and sizes its client area to
    // show picView whole, within the given limit.
    void present(const QPixmap &picture, const QPoint &outerTopLeft, const QSize &maxClient);

    // The width the caption "Picture Preview" needs in a title bar, with
    // the close box beside it.
    int captionWidth() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    QScrollArea *m_scrollArea;
    PictureBox *m_picView;
};

// Shows the picture file at path in a new preview window, modal to the whole
// application and owned by the wizard's window, with its outer top-left corner 100
// twips right of and below the wizard window's. Returns once the user has
// closed the window, with an empty text; when the picture does not load, no
// window opens and the problem line is returned at once.
QString ShowPicturePreview(QWidget *wizard, const QString &path);

} // namespace vintora
