// The start-up floor: a bare Qt Widgets program that shows one empty
// window of the wizard's size. With --text the window shows one line of
// text as well, which makes Qt load a font: the part of start-up that any
// window with text pays and an empty one does not.

#include "shown_marker.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(464, 354);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Welcome to the wizard"), &window))->move(200, 20);
    window.show();
    waitUntilShown(window);
    printMarker("shown");
    return 0;
}
