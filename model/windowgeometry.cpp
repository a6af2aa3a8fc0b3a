#include "model/windowgeometry.h"

#include <QtMath>

int twipsToPixels(double twips)
{
    return qRound(twips / kTwipsPerPixel);
}

TwipsRect stripGeometryTwips(double screenWidthTwips)
{
    TwipsRect r;
    r.top = 1000;
    r.width = 12705;
    r.height = 810;
    r.left = (screenWidthTwips - r.width) / 2;
    return r;
}

QRect stripGeometry(const QRect& screen)
{
    const TwipsRect t = stripGeometryTwips(double(screen.width()) * kTwipsPerPixel);
    // On a screen narrower than the strip the menu must still be on it: the strip then takes the
    // screen's width from its left edge.
    const int width = qMin(twipsToPixels(t.width), screen.width());
    const int left = qMax(0, twipsToPixels(t.left));
    return QRect(screen.x() + left, screen.y() + twipsToPixels(t.top), width, twipsToPixels(t.height));
}

Follower followerFor(float windowMode)
{
    if (windowMode == 1.0f)
        return Follower::Wizard;
    if (windowMode == 2.0f)
        return Follower::FreeEdit;
    return Follower::None;
}

std::optional<QPoint> followStep(FollowState& state, const QRect& mainFrame)
{
    const int bottom = mainFrame.y() + mainFrame.height();
    if (state.left == mainFrame.x() && state.bottom == bottom)
        return std::nullopt;
    state.left = mainFrame.x();
    state.bottom = bottom;
    return QPoint(*state.left, state.bottom);
}

QPoint keepOnScreen(QPoint at, QSize size, const QRect& room)
{
    return QPoint(qBound(room.left(), at.x(), qMax(room.left(), room.right() + 1 - size.width())),
                  qBound(room.top(), at.y(), qMax(room.top(), room.bottom() + 1 - size.height())));
}

QRect placeBelow(const QRect& mainFrame, const QRect& ownFrame, const QRect& ownClient)
{
    const QPoint frameTopLeft(mainFrame.left(), mainFrame.top() + mainFrame.height());
    return QRect(frameTopLeft + (ownClient.topLeft() - ownFrame.topLeft()),
                 QSize(mainFrame.width() - (ownFrame.width() - ownClient.width()), ownClient.height()));
}

QRect stripInRoom(const QRect& screen, const QRect& room)
{
    QRect strip = stripGeometry(screen);
    strip.setWidth(qMin(strip.width(), room.width()));
    strip.moveTopLeft(keepOnScreen(strip.topLeft(), strip.size(), room));
    return strip;
}

BelowPlacement placeBelowInRoom(const QRect& mainFrame, const QRect& ownFrame, const QRect& ownClient,
                                QSize leastClient, const QRect& room)
{
    const QRect client = placeBelow(mainFrame, ownFrame, ownClient);
    const QMargins decoration(ownClient.left() - ownFrame.left(), ownClient.top() - ownFrame.top(),
                              ownFrame.right() - ownClient.right(), ownFrame.bottom() - ownClient.bottom());
    QRect frame = client.marginsAdded(decoration);
    const QSize least = leastClient.grownBy(decoration);
    // No narrower than the window can be. Sideways it stays with the main window, which is the one
    // kept on the room.
    frame.setWidth(qMax(frame.width(), least.width()));
    // Shortened as far as it can be to end at room's bottom.
    frame.setHeight(qBound(qMin(frame.height(), least.height()), room.bottom() + 1 - frame.top(), frame.height()));
    // What is still below the room is made up by lifting the main window, then the window alone.
    const int over = qMax(0, frame.bottom() - room.bottom());
    const int lift = qMin(over, qMax(0, mainFrame.top() - room.top()));
    const int ownLift = qMin(over - lift, qMax(0, frame.top() - lift - room.top()));
    frame.translate(0, -lift - ownLift);
    return {mainFrame.translated(0, -lift), frame.marginsRemoved(decoration)};
}

QRect fitInRoom(const QRect& frame, QSize least, const QRect& room)
{
    const QSize size = frame.size().boundedTo(room.size()).expandedTo(least).boundedTo(frame.size());
    return QRect(keepOnScreen(frame.topLeft(), size, room), size);
}

PictureScale pictureScale(QSize image, QSize box, double ratio)
{
    PictureScale scale{QSize(0, 0)};
    if (image.isEmpty() || box.isEmpty() || ratio <= 0)
        return scale;
    const QSize logical = image.width() > box.width() || image.height() > box.height()
                              ? image.scaled(box, Qt::KeepAspectRatio)
                              : image;
    scale.pixels = QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio));
    // Enough whole copies of each pixel to reach the screen's size; smoothing takes back only the
    // part of the last copy that is too much.
    scale.wholeFactor = qMax(1, qMin(qCeil(double(scale.pixels.width()) / image.width()),
                                     qCeil(double(scale.pixels.height()) / image.height())));
    return scale;
}
