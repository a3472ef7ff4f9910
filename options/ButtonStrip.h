#pragma once

namespace dorvane {

// A window's place and size on the screen, in twips.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const TwipsRect&) const = default;
};

// What the button strip does to the windows around it.
class ButtonStripActions {
public:
    virtual ~ButtonStripActions() = default;
    virtual TwipsRect ClockRect() = 0;
    virtual void MoveClock(double left, double top) = 0;
    virtual void MoveStrip(double left, double top) = 0;
    virtual void MarkPointerMoved() = 0;  // keeps the strip up
    virtual void HideStrip() = 0;
    virtual void ReopenOptions() = 0;     // closes an open options window (saving) and opens a fresh one
    virtual void CloseClock() = 0;        // ends the program through the clock window's closing
};

// The small strip beside the clock with its drag handle, options and close pictures. The strip
// stands 50 twips right of the clock and 50 twips below its top; dragging the handle moves both,
// and releasing it brings the pair back on the screen.
class ButtonStrip {
public:
    static constexpr double kGap = 50;

    ButtonStrip(ButtonStripActions& actions, double widthTwips, double heightTwips)
        : actions_(actions), width_(widthTwips), height_(heightTwips) {}

    // Places the strip beside the clock, as each new showing does; returns its place.
    TwipsRect Place();

    void PointerMoved() { actions_.MarkPointerMoved(); }
    // Drag handle; positions in twips inside the handle.
    void DragPressed(double x, double y);
    void DragMoved(double x, double y);
    void DragReleased(double screenWidthTwips, double screenHeightTwips);
    void OptionsClicked();
    void CloseClicked() { actions_.CloseClock(); }

    const TwipsRect& Rect() const { return rect_; }

private:
    ButtonStripActions& actions_;
    double width_;
    double height_;
    TwipsRect rect_;
    int dragX_ = 0;
    int dragY_ = 0;
};

} // namespace dorvane
