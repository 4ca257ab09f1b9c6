#include "shell/ui/about_box.h"

#include "shell/ui/window_placement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutBox::AboutBox(int layoutClass, QWidget *frame) : QDialog(frame)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Tallomar"));
    setModal(true);
    auto *title = new QLabel(QStringLiteral("Tallomar"), this);
    QFont font(QStringLiteral("MS Serif"), 20, QFont::Bold);
    font.setStyleHint(QFont::Serif);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    auto *version = new QLabel(QStringLiteral("Tallomar v3.3"), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);
    auto *text = new QLabel(QStringLiteral("Personal finance calculators and an investment record keeper.\n"
                                           "Your figures stay on your computer."),
                            this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    auto *exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("AboutExit"));
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(exit, 0, Qt::AlignCenter);
    resize(360, 200);
    PlaceOnFrame(this, PlacedWindow::AboutBox, layoutClass, frame);
}
