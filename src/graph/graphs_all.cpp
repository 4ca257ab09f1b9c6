#include "graph/graphs_all.h"

#include "graph/bar_chart_3d.h"
#include "graph/graph_look.h"
#include "graph/pie_chart.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_texts.h"
#include "shell/core/placement.h"
#include "shell/core/shell.h"
#include "shell/ui/tool_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

GraphsAll::GraphsAll(Shell &shell, MdiContainer &frame, GraphRequest request)
    : m_shell(shell), m_frame(frame), m_request(std::move(request)), m_stack(new QStackedWidget(this)), m_pie(new PieChart(this)),
      m_bars3d(new BarChart3D(this))
{
    setObjectName(QStringLiteral("GraphsAll"));
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
    setAutoFillBackground(true);
    m_stack->addWidget(m_pie);
    m_stack->addWidget(m_bars3d);

    auto button = [this](const char *name, const char *caption) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    m_oned = button("Oned", "&Gain/Loss %");
    m_pie2d = button("Pie2d", "&Value of each fund");
    m_sav2d = button("Sav2D", "Show Graph in &2D");
    m_threeDee = button("ThreeDee", "Show Graph in &3D");
    QPushButton *printer = button("Ptr", "&To Printer");
    // The exit brings back the tool that asked, not the menu: say so.
    QPushButton *exitButton = button("ExitBut", "E&xit Graph");
    connect(m_oned, &QPushButton::clicked, this, [this] { draw(GraphStyle::GainLoss); });
    connect(m_pie2d, &QPushButton::clicked, this, [this] { draw(GraphStyle::FundPie); });
    connect(m_sav2d, &QPushButton::clicked, this, [this] { draw(StyleFor2DButton(m_request)); });
    connect(m_threeDee, &QPushButton::clicked, this, [this] { draw(StyleFor3DButton(m_request)); });
    connect(printer, &QPushButton::clicked, this, &GraphsAll::print);
    connect(exitButton, &QPushButton::clicked, this, &GraphsAll::exit);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_oned, m_pie2d, m_sav2d, m_threeDee, printer, exitButton})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_stack, 1);
    layout->addLayout(buttons);

    draw(PrepareGraph(m_request));
}

void GraphsAll::draw(int style)
{
    const QString shownTitle = m_picture.title;
    m_picture = DrawStyle(m_request, style, m_picture);
    m_buttons = ButtonsAfterStyle(m_buttons, style, shownTitle);
    m_oned->setVisible(m_buttons.onedVisible);
    m_pie2d->setVisible(m_buttons.pie2dVisible);
    m_sav2d->setVisible(m_buttons.sav2dVisible);
    m_sav2d->setEnabled(m_buttons.sav2dEnabled);
    m_threeDee->setEnabled(m_buttons.threeDeeEnabled);
    showPicture();
    if (QPushButton *focus = findChild<QPushButton *>(m_buttons.focus))
        focus->setFocus();
}

void GraphsAll::showPicture()
{
    if (m_picture.chart == ChartType::Pie || m_picture.chart == ChartType::Pie3D) {
        m_pie->setPicture(m_picture, true);
        m_stack->setCurrentWidget(m_pie);
    } else {
        m_bars3d->setPicture(m_picture, true);
        m_stack->setCurrentWidget(m_bars3d);
    }
}

QImage GraphsAll::render(QSize size)
{
    const QSize before = this->size();
    resize(size);
    QImage image = grab().toImage();
    resize(before);
    return image;
}

QSize GraphsAll::printSize()
{
    return {TwipsToPixels(9530), TwipsToPixels(5900)};
}

QImage GraphsAll::chartImage(QSize size, bool colour) const
{
    // A drawing of its own, so the window on screen keeps its size and colours.
    const auto draw = [&](auto &drawing) {
        drawing.setFont(font());
        drawing.resize(size);
        drawing.setPicture(m_picture, colour);
        return drawing.grab().toImage();
    };
    if (m_picture.chart == ChartType::Pie || m_picture.chart == ChartType::Pie3D) {
        PieChart pie;
        return draw(pie);
    }
    BarChart3D bars;
    return draw(bars);
}

void GraphsAll::print()
{
    Dialogs &dialogs = m_shell.dialogs;
    if (dialogs.ask(QuestionContinuePrintout) != Answer::Yes)
        return;
    const bool colour = dialogs.ask(QuestionPrintInColour) == Answer::Yes;
    QImage image;
    {
        const WaitCursor wait;
        // The graph alone, at a fixed size whatever the window's size.
        image = chartImage(printSize(), colour);
    }
    if (m_shell.printer.printImage(QStringLiteral("Graph"), image, colour) == PrintOutcome::Failed)
        dialogs.message(MsgPrintoutNotWritten);
}

void GraphsAll::exit()
{
    m_frame.closeOverTool();
}
