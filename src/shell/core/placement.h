#pragma once

#include <QPoint>
#include <QSize>

// Windows are placed in twips (1440 to the inch); at 96 logical dots per inch
// that is 15 twips to a pixel.
inline constexpr int TwipsPerPixel = 15;
inline constexpr int TwipsToPixels(int twips)
{
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}
inline constexpr int PixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

inline constexpr int SmallLayout = 6810;
inline constexpr int LargeLayout = 8670;
// The frame's size when the program starts.
inline constexpr int FrameWidthTwips = 9615;
inline constexpr int FrameHeightTwips = 6810;

// The layout class a frame of this height (in twips) asks for.
int LayoutClassForHeight(int heightTwips);
bool IsSmallLayout(int layoutClass);

enum class PlacedWindow {
    MenuMain,
    FullSize, // every calculator, the graph window and the investment manager's windows
    ChangeFnt,
    MessageBox, // the message box and the question box
    AboutBox,
    PrinterHeaderInput,
    FundCurValInput,
    FundChoose,
    MortIRFTable,
    MortPrePay,
    MortDateInput,
};

// Where a window goes, in twips. The menu and full-size windows are placed in
// the frame's client area; the others relative to the frame's own top left
// corner on the screen (frameOrigin).
struct Placement
{
    QPoint position;
    bool insideFrame = false;
};
Placement PlaceWindow(PlacedWindow window, int layoutClass, QPoint frameOrigin = QPoint());
