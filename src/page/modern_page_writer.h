#pragma once

#include "pictures/picture_facts.h"
#include "settings/wizard_settings.h"

#include <QIODevice>
#include <QList>
#include <QSize>
#include <QString>

namespace vintora {

// One picture file the modern page names: its reference, escaped as the
// classic page escapes picture references (see PictureReference), and its
// size in pixels.
struct PageImage
{
    QString reference;
    QSize size;

    bool isEmpty() const { return reference.isEmpty(); }
};

// One picture of the modern page.
struct ModernPageItem
{
    // The full picture, as the classic page refers to it: the copy's name
    // or the file:// path, escaped (see PictureReference).
    QString picture;
    // The file name as people read it (see DisplayFileName); the caption,
    // the alternative text and the address of the picture in the viewer.
    QString caption;
    // The picture as shown, its orientation applied; empty when unknown.
    QSize pictureSize;
    // The thumbnail shown at 1x, and the one at twice that for
    // high-density screens (empty when there is none). Without thumbnail
    // files, thumbnail is the picture itself at the size it is shown.
    PageImage thumbnail;
    PageImage thumbnail2x;
    // Screen-size copies, smallest first; none for a picture no larger
    // than the smallest.
    QList<PageImage> screenCopies;
    PictureFacts facts;
};

// The references of the two background pictures of the record, escaped as
// for the classic page; empty for none.
struct PageBackgrounds
{
    QString page;
    QString cell;
};

// Writes the modern page: an HTML5 document in UTF-8 (whatever the
// system's encoding) with the record's title, colours, background and
// layout, one thumbnail with its caption per item in order, and a viewer
// that shows the pictures over the page. Everything it needs is inside the
// page; no other file is loaded but the pictures. Names and texts are
// escaped wherever they go, so a name is always shown as text.
//
// Returns false with a message in plain words when the page cannot be
// written: the table layout with fewer than 1 column (nothing is written
// then) or a device that refuses the bytes.
bool WriteModernPage(const WizardSettings &settings, const PageBackgrounds &backgrounds,
                     const QList<ModernPageItem> &items, int major, int minor, QIODevice &out,
                     QString *error = nullptr);

// The most characters the modern page's title has; a longer one is
// shortened to this many, its last one "…".
inline constexpr int kLongestPageTitle = 200;

// The title the page shows: the record's, its runs of spaces made one and
// shortened to kLongestPageTitle characters, or "Vintora Index Page" when
// that is blank.
QString ModernPageTitle(const WizardSettings &settings);
// How many characters a title has, as the limit counts them (a character
// outside the Basic Multilingual Plane, such as an emoji, is one).
qsizetype PageTitleLength(const QString &title);

// How many thumbnails from the top are loaded at once, about two rows on
// a wide screen; the ones after wait until the visitor scrolls near them.
int EagerThumbnailCount(const WizardSettings &settings);

} // namespace vintora
