// Gradient-styled controls: self-drawn buttons, panels, check boxes (and
// radio boxes) and progress bars, each what it adds to the common part
// (gradient_control.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/gradient/gradient_control.h"
#include "toolkit/windows/control.h"

namespace toolkit {

// The position of a progress bar: the sender and the new position.
using PositionEvent = std::function<void(Control& sender, int position)>;

class GradientButton : public GradientControl {
public:
    GradientButton(Control& parent, const std::string& caption);

protected:
    // The outer pixels keep the normal look through every transition.
    void layOutStateRectangles(int width, int height) override;
};

class GradientPanel : public GradientControl {
public:
    explicit GradientPanel(Control& parent);
};

class GradientCheckBox : public GradientControl {
public:
    GradientCheckBox(Control& parent, const std::string& caption);

    bool checked() const { return checked_; }
    // Sets the mark and repaints; turning a radio box on turns its sibling
    // radio boxes off.
    GradientCheckBox& setChecked(bool checked);

protected:
    GradientCheckBox(Control& parent, const std::string& caption, Kind kind);
    // The looks fill only the check square.
    void layOutStateRectangles(int width, int height) override;
    void pressReleased() override;
    void paintMark(HDC dc) override;

    bool checked_ = false;

private:
    void turnSiblingRadioBoxesOff();
};

// A check box drawn with a dot whose siblings of its kind turn off when it
// turns on.
class GradientRadioBox : public GradientCheckBox {
public:
    GradientRadioBox(Control& parent, const std::string& caption);
};

class GradientProgressBar : public GradientControl {
public:
    static constexpr int kDefaultMaximum = 100;

    explicit GradientProgressBar(Control& parent);

    // Clamps to 0 ... maximum, recomputes the fill, runs the position-change
    // event (also when the position did not change) and gives the old
    // position. The same as PBM_SETPOS.
    int setProgress(int position);
    int progress() const { return position_; }
    GradientProgressBar& setMaximum(int maximum);
    int maximum() const { return maximum_; }
    // Stores the handler and sets the position to its current value, so the
    // handler runs once at once.
    GradientProgressBar& setOnPositionChange(PositionEvent handler);
    // A vertical bar fills from the bottom; the corner sizes, border width
    // and gradient style of all looks follow the direction.
    GradientProgressBar& setVertical(bool vertical);

protected:
    // The normal and disabled looks fill up to the position.
    void layOutStateRectangles(int width, int height) override;
    // The position in decimal before the caption.
    std::string captionText() override;
    // PBM_SETPOS, PBM_GETPOS, PBM_SETRANGE32 and PBM_GETRANGE.
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void applyDirection();

    int position_ = 0;
    int maximum_ = kDefaultMaximum;
    bool vertical_ = false;
    bool showPosition_ = true;
    PositionEvent onPositionChange_;
};

GradientButton& newGradientButton(Control& parent, const std::string& caption);
GradientPanel& newGradientPanel(Control& parent);
GradientCheckBox& newGradientCheckBox(Control& parent, const std::string& caption);
GradientRadioBox& newGradientRadioBox(Control& parent, const std::string& caption);
GradientProgressBar& newGradientProgressBar(Control& parent);

}  // namespace toolkit
