#pragma once

// A DrawingSurface test double that draws nothing and logs every call, reads
// of the geometry included. Several surfaces can share one log, so the order
// of calls across the plot box and the panel can be checked. Each Line, PSet
// and Print entry carries the pen in effect when it was made.

#include "chart/DrawingSurface.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

enum class SurfaceOp {
    Cls,
    SetWidth,
    SetHeight,
    ReadLeft,
    ReadTop,
    ReadHeight,
    Scale,
    SetForeColor,
    SetDrawWidth,
    Line,
    PSet,
    SetCurrentX,
    SetCurrentY,
    Print,
};

struct SurfaceCall {
    std::string surface{};
    SurfaceOp op{};
    std::array<float, 4> args{};  // coordinates or a size, in the order passed
    chart::Rgb colour{};          // the colour set, or ForeColor in effect
    int drawWidth = 0;            // the width set, or DrawWidth in effect
    std::string text{};           // Print only
    friend bool operator==(const SurfaceCall&, const SurfaceCall&) = default;
};

using SurfaceLog = std::vector<SurfaceCall>;

// Outer geometry in the container's twips.
struct SurfaceGeometry {
    double left = 480.0;
    double top = 1100.0;
    double width = 5000.0;
    double height = 5000.0;
};

class RecordingSurface : public chart::DrawingSurface {
public:
    RecordingSurface(std::string name, SurfaceLog& log, SurfaceGeometry geometry = {})
        : name_(std::move(name)), log_(&log), geometry_(geometry) {}

    void Cls() override { record({.op = SurfaceOp::Cls}); }
    void SetWidth(float twips) override {
        geometry_.width = twips;
        record({.op = SurfaceOp::SetWidth, .args = {twips}});
    }
    void SetHeight(float twips) override {
        geometry_.height = twips;
        record({.op = SurfaceOp::SetHeight, .args = {twips}});
    }
    double Left() const override {
        record({.op = SurfaceOp::ReadLeft});
        return geometry_.left;
    }
    double Top() const override {
        record({.op = SurfaceOp::ReadTop});
        return geometry_.top;
    }
    double Height() const override {
        record({.op = SurfaceOp::ReadHeight});
        return geometry_.height;
    }
    void Scale(float x1, float y1, float x2, float y2) override {
        record({.op = SurfaceOp::Scale, .args = {x1, y1, x2, y2}});
    }
    void SetForeColor(chart::Rgb colour) override {
        foreColor_ = colour;
        record({.op = SurfaceOp::SetForeColor, .colour = colour});
    }
    void SetDrawWidth(int pixels) override {
        drawWidth_ = pixels;
        record({.op = SurfaceOp::SetDrawWidth, .drawWidth = pixels});
    }
    void Line(float x1, float y1, float x2, float y2) override {
        recordWithPen({.op = SurfaceOp::Line, .args = {x1, y1, x2, y2}});
    }
    void PSet(float x, float y) override { recordWithPen({.op = SurfaceOp::PSet, .args = {x, y}}); }
    void SetCurrentX(float x) override { record({.op = SurfaceOp::SetCurrentX, .args = {x}}); }
    void SetCurrentY(float y) override { record({.op = SurfaceOp::SetCurrentY, .args = {y}}); }
    void Print(std::string_view text) override {
        recordWithPen({.op = SurfaceOp::Print, .text = std::string(text)});
    }
    using chart::DrawingSurface::Print;

    const std::string& name() const { return name_; }
    double width() const { return geometry_.width; }

private:
    void record(SurfaceCall call) const {
        call.surface = name_;
        log_->push_back(std::move(call));
    }
    void recordWithPen(SurfaceCall call) const {
        call.colour = foreColor_;
        call.drawWidth = drawWidth_;
        record(std::move(call));
    }

    std::string name_;
    SurfaceLog* log_;
    SurfaceGeometry geometry_;
    chart::Rgb foreColor_{};
    int drawWidth_ = 1;
};

// The calls one surface made with one operation, in order.
inline SurfaceLog callsOf(const SurfaceLog& log, const RecordingSurface& surface, SurfaceOp op) {
    SurfaceLog picked;
    std::copy_if(log.begin(), log.end(), std::back_inserter(picked),
                 [&](const SurfaceCall& c) { return c.surface == surface.name() && c.op == op; });
    return picked;
}
