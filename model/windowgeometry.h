#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Window sizes are kept in twips, as the program always measured them; the screen shows them at
// 15 twips per pixel (96 dots per inch).
inline constexpr int kTwipsPerPixel = 15;

int twipsToPixels(double twips);

// The main window: a strip 12705 x 810 twips, 1000 twips below the top of the screen and centred
// across it (never wider than the screen, so the menu stays on it). Both rectangles are the outer
// frame of the window.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
TwipsRect stripGeometryTwips(double screenWidthTwips);
QRect stripGeometry(const QRect& screen);

// Which window travels under the main window for a WindowMode.
enum class Follower { None, Wizard, FreeEdit };
Follower followerFor(float windowMode);

// Where the main window stood when the follower was last moved. The left edge starts unset, so the
// first tick always moves the follower.
struct FollowState {
    std::optional<int> left;
    int bottom = 0;
};

// One tick of the follow timer: when the main window's left edge or bottom edge changed since the
// last move, remembers the new ones and returns the follower's new top-left corner (flush under the
// main window); otherwise nothing, so a follower dragged away on its own stays until the strip moves.
std::optional<QPoint> followStep(FollowState& state, const QRect& mainFrame);

// A window of this size at this top-left, moved just enough to lie inside room; one larger than
// room keeps room's top-left. QRect::right() is the last pixel inside, so the window fits while
// its left edge is at most right() + 1 - width.
QPoint keepOnScreen(QPoint at, QSize size, const QRect& room);

// A working window flush under the main window: its frame at the main frame's left edge, just
// below it, and as wide as the main frame; its height kept. Takes the window's own frame and
// client rectangles (which tell its decoration) and returns the client rectangle to give it.
QRect placeBelow(const QRect& mainFrame, const QRect& ownFrame, const QRect& ownClient);
