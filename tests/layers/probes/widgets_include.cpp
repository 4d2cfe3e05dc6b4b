// Compiled as a file of the base layer, which needs no window.
#include <QtWidgets/QWidget>
