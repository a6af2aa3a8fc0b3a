#pragma once

#include <QRect>

// Where the diagram's tool window goes beside the window it belongs to (frames in screen
// coordinates): to its right, else below it (as wide as the window), else to its left, wherever
// the panel has room at a readable size, as large as that room allows up to its own size; with no
// such room, at that readable size over the window's left-hand side (the progress tree), so that
// the answer box and the right-hand panels stay in view.
QRect panelPlace(const QRect& window, const QRect& screen);
