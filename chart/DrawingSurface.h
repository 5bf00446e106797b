#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace chart {

// A colour, 24-bit RGB.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour n (0..15) of the standard sixteen-colour palette: 0 black, 10 light
// green (0, 255, 0), 12 light red (255, 0, 0), ... An n outside 0..15 is
// clamped to the nearer end (black below, bright white above).
Rgb QBColor(int n);

// A number as a picture box prints it: a blank where a minus sign would stand,
// the shortest decimal form of up to 15 significant digits without a zero
// before the point, then one blank (0.01 -> " .01 ", 1 -> " 1 ", -0.5 -> "-.5 ").
// Magnitudes below 1E-4 or from 1E+15 on take the exponent form (" 1E-05 ").
// Independent of the locale: the decimal separator is always '.'.
std::string numericPrintText(double v);

// The picture-box operations the Gilliland chart draws with. Geometry (Left,
// Top, Width, Height) is in the container's twips; Line, PSet and the text
// position are in the box's user coordinates, single precision, as the
// callers hand them over. Line and PSet take no colour: they draw in ForeColor.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Erases everything drawn, showing the background, and moves the text
    // position back to the origin.
    virtual void Cls() = 0;

    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Height() const = 0;

    // (x1, y1) becomes the user coordinate of the inner area's upper-left
    // corner and (x2, y2) that of its lower-right corner; y1 > y2 makes y grow
    // upward.
    virtual void Scale(float x1, float y1, float x2, float y2) = 0;

    virtual void SetForeColor(Rgb colour) = 0;
    virtual void SetDrawWidth(int pixels) = 0;

    // Clipped to the box.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    // One DrawWidth-wide point; points outside the box, however far, are
    // accepted and leave no mark.
    virtual void PSet(float x, float y) = 0;

    // Where the upper-left corner of the next printed text goes.
    virtual void SetCurrentX(float x) = 0;
    virtual void SetCurrentY(float y) = 0;

    // Draws the text character for character at the text position in the box's
    // font and ForeColor, then moves the position on.
    virtual void Print(std::string_view text) = 0;
    // A number, in the numeric print format.
    void Print(double number) { Print(numericPrintText(number)); }
};

}  // namespace chart
