#include "files/ui/screenfit.h"

#include "model/windowgeometry.h"

#include <QScreen>
#include <QWidget>

void placeUnderMainWindow(QWidget* window, QWidget* mainWindow)
{
    const QRect mainFrame = mainWindow->frameGeometry();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    const BelowPlacement placed = placeBelowInRoom(mainFrame, window->frameGeometry(), window->geometry(), least,
                                                   mainWindow->screen()->availableGeometry());
    if (placed.mainFrame.topLeft() != mainFrame.topLeft())
        mainWindow->move(placed.mainFrame.topLeft());
    window->setGeometry(placed.client);
}

QPixmap screenPicture(const QPixmap& image, QSize box, qreal ratio)
{
    const PictureScale scale = pictureScale(image.size(), box, ratio);
    QPixmap shown = image;
    if (scale.wholeFactor > 1)
        shown = shown.scaled(image.size() * scale.wholeFactor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (shown.size() != scale.pixels)
        shown = shown.scaled(scale.pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    return shown;
}
