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
// The same strip kept inside room, the part of the screen that panels leave free: moved onto it
// and never wider than it, so the menu can always be reached.
QRect stripInRoom(const QRect& screen, const QRect& room);

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

// The same on a screen that may be too short for it: a window that would reach below room is first
// made shorter, down to its least client height, then the main window and it go up together (the
// main window no higher than room's top), and only a room shorter than both lets the window cover
// the main window's lower part. Sideways it stays under the main window, no narrower than its least
// width. Both rectangles are what to give the two windows: the main window's frame and the working
// window's client rectangle. Where the window fits, nothing changes.
struct BelowPlacement {
    QRect mainFrame;
    QRect client;
};
BelowPlacement placeBelowInRoom(const QRect& mainFrame, const QRect& ownFrame, const QRect& ownClient,
                                QSize leastClient, const QRect& room);

// A window's frame moved into room (as keepOnScreen does) after it is made no larger than room,
// though never smaller than least: a dialog too large for a small screen is shrunk to it.
QRect fitInRoom(const QRect& frame, QSize least, const QRect& room);

// How a picture of image pixels is drawn in a box of logical pixels on a screen of ratio device
// pixels to a logical one: at its own size where it fits the box, otherwise scaled down to fit
// (keeping its proportions), either way made of the screen's own pixels so that nothing scales it
// again. Enlarged, it is first copied wholeFactor times pixel by pixel (sharp) and only the rest is
// smoothed: the picture stays crisp at 2 and nearly so at 1.5.
struct PictureScale {
    QSize pixels;        // the device pixels the picture takes
    int wholeFactor = 1; // the pixel-by-pixel enlargement before any smoothing
};
PictureScale pictureScale(QSize image, QSize box, double ratio);
