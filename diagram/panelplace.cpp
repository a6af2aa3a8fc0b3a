#include "diagram/panelplace.h"

#include <algorithm>

namespace {

constexpr QSize kWanted(560, 520);
constexpr QSize kLeast(320, 240);

// A length between the least and the wanted one, as the room allows.
int fitted(int room, int least, int wanted)
{
    return std::max(least, std::min(room, wanted));
}

// The rectangle moved inside the screen where it fits (its size kept).
QRect keptInside(QRect r, const QRect& screen)
{
    r.moveLeft(std::max(screen.left(), std::min(r.left(), screen.right() - r.width() + 1)));
    r.moveTop(std::max(screen.top(), std::min(r.top(), screen.bottom() - r.height() + 1)));
    return r;
}

} // namespace

QRect panelPlace(const QRect& window, const QRect& screen)
{
    const int right = screen.right() - window.right();
    const int below = screen.bottom() - window.bottom();
    const int left = window.left() - screen.left();
    const int height = std::min(kWanted.height(), screen.height());
    if (right >= kLeast.width())
        return keptInside(QRect(window.right() + 1, window.top(), fitted(right, kLeast.width(), kWanted.width()), height), screen);
    if (below >= kLeast.height()) {
        // As wide as the window above it: the drawing beside the findings in a low, wide strip.
        const int width = std::min(std::max(kWanted.width(), window.width()), screen.width());
        const int h = fitted(below, kLeast.height(), kWanted.height());
        return keptInside(QRect(window.right() - width + 1, window.bottom() + 1, width, h), screen);
    }
    if (left >= kLeast.width()) {
        const int width = fitted(left, kLeast.width(), kWanted.width());
        return keptInside(QRect(window.left() - width, window.top(), width, height), screen);
    }
    return keptInside(QRect(window.left(), window.bottom() - kLeast.height() + 1, kLeast.width(), kLeast.height()), screen);
}
