#pragma once

#include <QDialog>

// The program's title and version; closed by its exit button.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    AboutBox(int layoutClass, QWidget *frame);
};
