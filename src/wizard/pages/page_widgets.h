#pragma once

// Helpers that put a catalogue control on a page: its object name (the
// catalogue name with its index, for example "Label1(8)"), its place and its
// start state. Places are given in twips.

#include "controls/clickable_label.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRect>

namespace vintora {

// "Label1(8)" for Label1 with index 8.
QString catalogueName(const char *name, int index);

// A point given in twips, in pixels.
QPoint twipsPoint(int left, int top);

template<typename Widget>
Widget *place(Widget *widget, const QString &objectName, QRect geometry)
{
    widget->setObjectName(objectName);
    widget->setGeometry(geometry);
    return widget;
}

// A static text Label1(index): wraps at its width and starts at its top.
QLabel *staticText(QWidget *page, int index, const QString &text, QRect geometry,
                   Qt::Alignment horizontal = Qt::AlignLeft);

// An underlined caption that reacts to clicks, and to Enter and Space once
// Tab has given it the focus.
ClickableLabel *linkLabel(QWidget *page, const char *name, int index, const QString &text,
                          QRect geometry, Qt::Alignment horizontal = Qt::AlignLeft);

// A picture of the artwork at its natural size.
QLabel *image(QWidget *parent, const QString &objectName, const char *artworkName, QPoint at);

// A picture of the artwork that acts as a button: reacts to clicks, takes
// no focus.
ClickableLabel *imageButton(QWidget *parent, const QString &objectName, const char *artworkName,
                            QPoint at);

// A picture of the artwork that acts as a link: reacts to clicks, and to
// Enter and Space once Tab has given it the focus.
ClickableLabel *linkImage(QWidget *parent, const QString &objectName, const char *artworkName,
                          QPoint at);

// A box for a number: its text right-aligned.
QLineEdit *numberBox(QWidget *page, const char *name, int index, const QString &text,
                     QRect geometry);

// Says what a number box holds and in which unit, for example "Height of a
// thumbnail, in pixels": as its tooltip, and as the description screen
// readers give after its name.
void describeNumberBox(QLineEdit *box, const QString &holds);

QRadioButton *option(QWidget *parent, const char *name, int index, const QString &caption,
                     QRect geometry, bool chosen);

} // namespace vintora
