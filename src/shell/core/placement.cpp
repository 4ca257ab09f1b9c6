#include "shell/core/placement.h"

int LayoutClassForHeight(int heightTwips)
{
    return heightTwips > 8500 ? LargeLayout : SmallLayout;
}

bool IsSmallLayout(int layoutClass)
{
    return layoutClass < 8501;
}

Placement PlaceWindow(PlacedWindow window, int layoutClass, QPoint frameOrigin)
{
    const bool small = IsSmallLayout(layoutClass);
    auto inside = [&](QPoint smallAt, QPoint largeAt) { return Placement{small ? smallAt : largeAt, true}; };
    auto relative = [&](QPoint smallAt, QPoint largeAt) {
        return Placement{frameOrigin + (small ? smallAt : largeAt), false};
    };
    switch (window) {
    case PlacedWindow::MenuMain: return inside({-25, -15}, {1200, 1000});
    case PlacedWindow::FullSize: return inside({-60, -30}, {1200, 1000});
    case PlacedWindow::ChangeFnt: return relative({3060, 700}, {4000, 2000});
    case PlacedWindow::MessageBox: return relative({3550, 2500}, {4800, 3550});
    case PlacedWindow::AboutBox: return relative({2400, 1100}, {3200, 2200});
    case PlacedWindow::PrinterHeaderInput: return relative({3400, 3000}, {4500, 4000});
    case PlacedWindow::FundCurValInput: return relative({3340, 3450}, {4400, 4490});
    case PlacedWindow::FundChoose: return relative({3200, 1250}, {4450, 2300});
    case PlacedWindow::MortIRFTable: return relative({3200, 1700}, {4300, 2700});
    case PlacedWindow::MortPrePay: return relative({4300, 630}, {5300, 1650});
    case PlacedWindow::MortDateInput: return relative({4000, 2400}, {5000, 3400});
    }
    return {};
}
