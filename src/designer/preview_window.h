#pragma once

#include <QDialog>

class QScrollArea;

namespace vintora {

class PictureBox;

// frmPreview: a small tool window, "Picture Preview", that shows one picture
// at its natural size in picView. The client area is sized to show the
// whole picture; a picture larger than the screen allows scrolls inside it.
// Escape or the close box closes it.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    PreviewWindow();

    PictureBox *picView() const { return m_picView; }
    QScrollArea *scrollArea() const { return m_scrollArea; }

    // Puts the picture into picView, which takes its size plus its border,
    // places the window's outer top-left corner and sizes its client area to
    // show picView whole, within the given limit.
    void present(const QPixmap &picture, const QPoint &outerTopLeft, const QSize &maxClient);

private:
    QScrollArea *m_scrollArea;
    PictureBox *m_picView;
};

// Shows the picture file at path in a new preview window, modal to the whole
// application and owned by no window, with its outer top-left corner 100
// twips right of and below the wizard window's. Returns once the user has
// closed the window, with an empty text; when the picture does not load, no
// window opens and the problem line is returned at once.
QString ShowPicturePreview(QWidget *wizard, const QString &path);

} // namespace vintora
