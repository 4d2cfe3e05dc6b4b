// One function per picture shipped with the wizard.
#pragma once

#include <QImage>

class QPainter;

QImage drawSidebar();
QImage drawButtonBack();
QImage drawButtonFore();
QImage drawButtonFin();
QImage drawIconReadme();
QImage drawIconMail();
QImage drawIconWeb();
QImage drawLayoutTable();
QImage drawLayoutGeneric();
QImage drawPackagingCopy();
QImage drawPackagingNoCopy();
QImage drawBrowserWindow();
QImage drawAppIcon32();
QImage drawAppIcon128();
QImage drawAppIcon16();
// The 128-pixel design at any size (48, 64, 256 for the desktop's icon theme).
QImage drawAppIcon(int size);
// The same design on a 128-unit grid, for a vector file: rasterShadows
// false draws plain translucent shadows instead of blurred bitmaps.
void paintAppIcon(QPainter &p, bool rasterShadows);
