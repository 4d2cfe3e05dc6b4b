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
    // The file name as people read it (see DisplayFileName): the address
    // of the picture in the viewer, and where the picture holds no
    // description, its alternative text (without the extension) and the
    // name the viewer shows.
    QString name;
    // The picture as shown, its orientation applied; empty when unknown.
    QSize pictureSize;
    // The thumbnail shown at 1x, and the one at twice that for
    // high-density screens (empty when there is none). Without thumbnail
    // files, thumbnail is the picture itself.
    PageImage thumbnail;
    PageImage thumbnail2x;
    // Screen-size copies, smallest first; none for a picture no larger
    // than the smallest.
    QList<PageImage> screenCopies;
    // What the picture says of itself; its description is the caption.
    PictureFacts facts;
};

// A link to another page of the gallery: its name as people read it, and
// the page's reference, relative and escaped as picture references are.
struct PageLink
{
    QString name;
    QString link;
};

// An album shown as a card before the page's own pictures: a link to its
// page with its cover, its name, how many pictures it holds and the days
// they were taken over.
struct AlbumCard
{
    PageLink page;
    PageImage cover; // a thumbnail and its size; empty for none
    int pictureCount = 0;
    // The first and last day taken, in ISO form ("2024-05-01"; a time
    // after the day is ignored); empty when unknown.
    QString firstTaken;
    QString lastTaken;
};

// The zip of the page's full-size pictures, linked under its title: its
// reference, escaped as picture references are, how many pictures it holds
// and its size in bytes. Empty when there is none.
struct PageDownload
{
    QString link;
    int pictureCount = 0;
    qint64 bytes = 0;

    bool isEmpty() const { return link.isEmpty(); }
};

// Everything a modern page shows: the trail of the pages above it, top
// first (empty on the top page), its albums, then its pictures.
struct ModernPageContents
{
    QList<ModernPageItem> items;
    QList<AlbumCard> albums;
    QList<PageLink> trail;
    // The name of the folder the page is of: its title when the record
    // holds none.
    QString folderName;
    PageDownload download;
};

// The reference of the record's background picture, escaped as for the
// classic page; empty for none.
struct PageBackgrounds
{
    QString page;
};

// Writes the modern page: an HTML5 document in UTF-8 (whatever the
// system's encoding) with the title, the record's colours (or light and
// dark as the system prefers, when the colours are the start values) and
// background, the trail and album cards, and the thumbnails in justified
// rows, each in its proportions, with a viewer that shows the pictures over
// the page. Everything it needs is inside the page; no other file is loaded
// but the pictures. Names and texts are escaped wherever they go, so a
// name is always shown as text; texts read from the pictures are shortened.
//
// Returns false with a message in plain words when the page cannot be
// written: the table layout with fewer than 1 column (nothing is written
// then) or a device that refuses the bytes.
bool WriteModernPage(const WizardSettings &settings, const PageBackgrounds &backgrounds,
                     const ModernPageContents &contents, int major, int minor, QIODevice &out,
                     QString *error = nullptr);

// The text of the link to the zip: "Download all 12 pictures (zip, 48.2
// MB)", or "Download 1 picture (zip, 950.4 kB)"; sizes in decimal units to
// one place, in bytes below 1 kB.
QString DownloadText(int pictureCount, qint64 bytes);

// The title the page shows: the record's, or when that is blank the
// folder's name, or "Pictures" when that is blank too.
QString ModernPageTitle(const WizardSettings &settings, const QString &folderName);

// The most characters the modern page's title has; a longer one is
// shortened to this many, its last one "…".
inline constexpr int kLongestPageTitle = 200;

// How many characters a title has, as the limit counts them (a character
// outside the Basic Multilingual Plane, such as an emoji, is one).
qsizetype PageTitleLength(const QString &title);

// How many thumbnails from the top are loaded at once, about the first
// screen of a phone or a desktop; the ones after wait until the visitor
// scrolls near them.
inline constexpr int kEagerThumbnails = 12;

} // namespace vintora
