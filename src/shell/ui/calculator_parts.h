#pragma once

#include <QStringList>


class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;
class SpreadsheetGrid;

// The pieces every calculator window is built from, made one way.

// A yellow input box with the figures in a fixed-pitch font, so that the
// right-aligned figures line up.
QLineEdit *MakeYellowBox(const char *name, QWidget *parent);
// The same with a drop-down list; a list-only box takes no typing.
QComboBox *MakeYellowList(const char *name, const QStringList &items, bool typed, QWidget *parent);
// Lays out a box or list made above for figures: the layout gives it the
// wanted width where the window has room, and never less than the least
// width, so that it never grows over a neighbour; a longer figure scrolls
// inside it. Any other widget gets the least width as its minimum.
void SetFigureWidths(QWidget *box, int least, int wanted);
// A command button; Enter presses it when it has the focus.
QPushButton *MakeCommandButton(const char *name, const char *caption, QWidget *parent);


