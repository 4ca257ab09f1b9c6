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
// A command button; Enter presses it when it has the focus.
QPushButton *MakeCommandButton(const char *name, const char *caption, QWidget *parent);


