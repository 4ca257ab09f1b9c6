#include "shell/ui/calculator_parts.h"

#include "shell/ui/spreadsheet_grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

QFont FigureFont()
{
    QFont font(QStringLiteral("Liberation Mono"), 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

const QString YellowStyle = QStringLiteral("background: #ffff80;");
// The open list of a yellow box: the yellow would otherwise carry over to the
// list, leaving its highlighted entry hard to read.
// The list-only box draws its entries as menu items, with the box's own
// selection colours.
const QString SelectionStyle = QStringLiteral("selection-background-color: #000080; selection-color: white;");
const QString ListStyle = QStringLiteral("QComboBox QAbstractItemView { background: white; color: black; ") +
                          SelectionStyle + QStringLiteral(" }");

// The widths a figure box asks of its layout, set once when its field is
// described; 0 leaves the widget's own.
struct FigureWidths
{
    int least = 0;
    int wanted = 0;

    QSize adjusted(QSize size, bool minimum) const
    {
        if (wanted > 0)
            size.setWidth(minimum ? least : wanted);
        return size;
    }
};

class FigureBox : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    FigureWidths widths;
    QSize sizeHint() const override { return widths.adjusted(QLineEdit::sizeHint(), false); }
    QSize minimumSizeHint() const override { return widths.adjusted(QLineEdit::minimumSizeHint(), true); }
};

class FigureList : public QComboBox
{
public:
    using QComboBox::QComboBox;
    FigureWidths widths;
    QSize sizeHint() const override { return widths.adjusted(QComboBox::sizeHint(), false); }
    QSize minimumSizeHint() const override { return widths.adjusted(QComboBox::minimumSizeHint(), true); }
};

} // namespace

void SetFigureWidths(QWidget *box, int least, int wanted)
{
    const FigureWidths widths{least, std::max(least, wanted)};
    if (auto *edit = dynamic_cast<FigureBox *>(box))
        edit->widths = widths;
    else if (auto *list = dynamic_cast<FigureList *>(box))
        list->widths = widths;
    else
        box->setMinimumWidth(least);
    box->updateGeometry();
}

QLineEdit *MakeYellowBox(const char *name, QWidget *parent)
{
    auto *edit = new FigureBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setStyleSheet(QStringLiteral("QLineEdit { ") + YellowStyle + QStringLiteral(" }"));
    edit->setFont(FigureFont());
    return edit;
}

QComboBox *MakeYellowList(const char *name, const QStringList &items, bool typed, QWidget *parent)
{
    auto *combo = new FigureList(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(typed);
    // A typed figure is kept in the box, never added to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    // No completion from the list: typing 1 must give 1, not 10.
    if (typed)
        combo->setCompleter(nullptr);
    combo->addItems(items);
    if (typed) {
        combo->lineEdit()->setStyleSheet(QStringLiteral("QLineEdit { ") + YellowStyle + QStringLiteral(" }"));
        combo->setStyleSheet(ListStyle);
    } else {
        combo->setStyleSheet(QStringLiteral("QComboBox { ") + YellowStyle + SelectionStyle + QStringLiteral(" } ") +
                             ListStyle);
    }
    // After the style sheets, which would otherwise give the box the
    // window's proportional font back: the figures must line up.
    combo->setFont(FigureFont());
    if (typed)
        combo->lineEdit()->setFont(FigureFont());
    return combo;
}

QPushButton *MakeCommandButton(const char *name, const char *caption, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(true);
    return button;
}
