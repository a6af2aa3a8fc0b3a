#pragma once

#include <QPixmap>
#include <QSize>

class QWidget;

// A working window, already shown, flush under the main window and as wide as it; on a screen too
// short for both, made shorter and lifted together with the main window (see placeBelowInRoom).
void placeUnderMainWindow(QWidget* window, QWidget* mainWindow);

// A picture for a box of logical pixels, made of the screen's own device pixels (ratio to a logical
// one), so that painting it does not scale it again and it is not blurred on a HiDPI screen.
QPixmap screenPicture(const QPixmap& image, QSize box, qreal ratio);
