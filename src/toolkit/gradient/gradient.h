// Gradient-styled controls: self-drawn buttons, panels, check boxes and
// progress bars. Each draws one of four looks (normal, over, down,
// disabled): a rounded rectangle with a border, filled with a two-colour
// gradient, with its caption over it and a one-colour shadow. Changes
// between the three enabled looks are animated by blending the two
// pre-rendered pictures over a few timer ticks.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/object.h"
#include "toolkit/bitmap/bitmap.h"
#include "toolkit/gradient/gradient_pixels.h"
#include "toolkit/windows/control.h"

namespace toolkit {

struct GradientLook {
    Color startColor;
    Color endColor;
    Color outerColor;  // outside the rounded rectangle; the transparency key
    Color textColor;
    Color shadowColor;
    Color borderColor;
    std::uint32_t cornerWidth;
    std::uint32_t cornerHeight;
    std::uint32_t borderWidth;
    // 0 solid, 1 top to bottom, 2 left to right, 3 vertical mirror,
    // 4 horizontal mirror, 5 diagonal from the top-left corner, 6 diagonal
    // from the bottom-left corner.
    std::uint8_t gradientStyle;
    std::int32_t shadowOffset;
    std::uint32_t glyphColumn = 0;
    std::uint32_t glyphRow = 0;
};

// The looks by index, numbered with the pixel arithmetic.
using gradient::LookIndex;
using enum gradient::LookIndex;

// Which looks a setter writes.
enum LookSet : unsigned {
    NormalLook = 1U << NormalIndex,
    OverLook = 1U << OverIndex,
    DownLook = 1U << DownIndex,
    DisabledLook = 1U << DisabledIndex,
    AllLooks = NormalLook | OverLook | DownLook | DisabledLook,
};
constexpr LookSet operator|(LookSet first, LookSet second) {
    return static_cast<LookSet>(static_cast<unsigned>(first) | static_cast<unsigned>(second));
}

enum VerticalAlignment : std::uint8_t { CentreVertically = 0, AlignTop = 1, AlignBottom = 2 };
enum HorizontalAlignment : std::uint8_t { AlignLeftEdge = 0, CentreHorizontally = 1, AlignRightEdge = 2 };

// The position of a progress bar: the sender and the new position.
using PositionEvent = std::function<void(Control& sender, int position)>;

class GradientControl : public Control {
public:
    // Kind codes, kept in the window property "GRUSH_TYPE".
    enum Kind : char {
        ButtonKind = ' ',
        PanelKind = '!',
        CheckBoxKind = '"',
        RadioBoxKind = '#',
        ProgressBarKind = '%',
    };

    Kind kind() const { return kind_; }
    const GradientLook& look(LookIndex index) const { return looks_[index]; }

    // Look fields; each writes the named looks and marks them for redrawing.
    GradientControl& setStartColor(LookSet looks, Color color);
    GradientControl& setEndColor(LookSet looks, Color color);
    GradientControl& setOuterColor(LookSet looks, Color color);
    GradientControl& setTextColor(LookSet looks, Color color);
    GradientControl& setShadowColor(LookSet looks, Color color);
    GradientControl& setBorderColor(LookSet looks, Color color);
    GradientControl& setBorderWidth(LookSet looks, std::uint32_t width);
    GradientControl& setCornerWidth(LookSet looks, std::uint32_t width);
    GradientControl& setCornerHeight(LookSet looks, std::uint32_t height);
    GradientControl& setGradientStyle(LookSet looks, std::uint8_t style);
    GradientControl& setShadowOffset(LookSet looks, std::int32_t offset);

    // Content insets: added to the client rectangle's left, top, right and
    // bottom edges (positive left/top and negative right/bottom move inwards).
    GradientControl& setInsets(int left, int top, int right, int bottom);
    // Side of a check box's square; moves the left inset by the change so
    // that the caption keeps its distance from the box.
    GradientControl& setCheckMarkSize(int size);
    GradientControl& setCheckMarkColor(Color color);
    GradientControl& setShowCaption(bool show);
    GradientControl& setShowFocusRectangle(bool show);
    // How fast the looks change: 0 in one tick ... 5 in sixteen (default 2).
    GradientControl& setTransitionSpeed(int speedIndex);
    // Corners shaped at twice the resolution and averaged back (default on).
    GradientControl& setSmoothCorners(bool smooth);

protected:
    GradientControl(Control& parent, Kind kind, const wchar_t* className);
    ~GradientControl() override;

    // The kind code a window of a gradient control carries, 0 for others.
    static char kindOfWindow(HWND window);

    // Sets the rectangle each look fills and the blend rectangle for a
    // client area of that size; the base gives all of them the whole area.
    virtual void layOutStateRectangles(int width, int height);
    // The text drawn over the looks.
    virtual std::string captionText() { return caption(); }
    // A press was released, before the click event runs.
    virtual void pressReleased() {}
    // Draws what goes over the picture (the check mark).
    virtual void paintMark(HDC) {}

    // Lays the state rectangles out anew and marks every picture for redrawing.
    void updateStateRectangles();
    void markAllForRedraw();
    // The client rectangle with the insets added.
    RECT contentRect() const;

    void windowMade() override;
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // What lies behind a child: the control's current picture (over its
    // parent's background when transparent).
    void paintBackground(HDC dc, const RECT& rect) override;
    void paintContent(HDC dc) override;

    Kind kind_;
    std::array<GradientLook, gradient::kLookCount> looks_;
    RECT insets_{4, 4, -4, -4};
    int checkMarkSize_ = 13;
    Color checkMarkColor_ = 0xF3706C;
    VerticalAlignment verticalAlignment_ = CentreVertically;
    HorizontalAlignment horizontalAlignment_ = CentreHorizontally;
    bool showCaption_ = true;
    bool showFocusRectangle_ = true;
    bool outline_ = false;
    bool smoothCorners_ = true;
    bool reactsToMouse_;
    int speedIndex_ = 2;
    std::array<RECT, gradient::kLookCount> stateRects_{};
    RECT blendRect_{};

private:
    // The timer that drives the transitions.
    static constexpr UINT_PTR kTransitionTimer = 8;

    struct Picture {
        core::Ref<Bitmap> bitmap;
        bool redraw = true;
    };

    template <class Field, class Value>
    GradientControl& setLookField(LookSet looks, Field GradientLook::*field, Value value);
    GradientControl& settingChanged();
    bool showsEnabled() const;

    // --- pictures (gradient_control.cpp) ---
    // The look's picture at the client size, rendered when marked; nullptr
    // for an empty client area.
    Bitmap* renderedPicture(LookIndex look);
    // What painting shows now: the blend, the normal or the disabled look.
    Bitmap* shownPicture();
    // Whether the composite is what shows: during a transition and after
    // one that did not end in the normal look.
    bool showsBlend() const;
    void blendComposite();

    // --- interaction (gradient_interaction.cpp) ---
    void handleInput(UINT message, WPARAM wParam, LPARAM lParam);
    void handlePointer(UINT message, LPARAM lParam);
    void react(const gradient::Reaction& reaction);
    void beginTransition(gradient::Transition transition, gradient::Trigger trigger);
    void tick();
    void resetInteraction();
    void takeFocus();

    std::array<Picture, gradient::kLookCount> pictures_;
    Picture composite_;
    gradient::Interaction interaction_;
    gradient::TransitionState transition_;
    bool focused_ = false;
    SIZE laidOutFor_{-1, -1};
};

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
