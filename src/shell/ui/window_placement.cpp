#include "shell/ui/window_placement.h"

#include <QWidget>

void PlaceOnFrame(QWidget *window, PlacedWindow kind, int layoutClass, const QWidget *frame)
{
    if (!window)
        return;
    QPoint origin;
    if (frame) {
        const QPoint topLeft = frame->frameGeometry().topLeft();
        origin = QPoint(PixelsToTwips(topLeft.x()), PixelsToTwips(topLeft.y()));
    }
    const Placement placement = PlaceWindow(kind, layoutClass, origin);
    window->move(TwipsToPixels(placement.position.x()), TwipsToPixels(placement.position.y()));
}
