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
