// One function per picture shipped with the wizard.
#pragma once

#include <QImage>

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
