#pragma once

#include "shell/core/placement.h"

class QWidget;

// Moves a window to its place for the layout class: the menu and full-size
// windows inside the frame's client area, dialogs relative to the frame.
void PlaceOnFrame(QWidget *window, PlacedWindow kind, int layoutClass, const QWidget *frame);
