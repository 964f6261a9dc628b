// The common part of the gradient-styled controls. Each draws one of four
// looks (normal, over, down, disabled): a rounded rectangle with a border,
// filled with a two-colour gradient, with its caption over it and a
// one-colour shadow. Changes between the three enabled looks are animated
// by blending the two pre-rendered pictures over a few timer ticks.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "toolkit/gradient/gradient_interaction.h"
#include "toolkit/gradient/gradient_pictures.h"
#include "toolkit/gradient/gradient_pixels.h"
#include "toolkit/gradient/transition_timer.h"
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
    std::array<RECT, gradient::kLookCount> stateRects_{};
    RECT blendRect_{};

private:
    template <class Field, class Value>
    GradientControl& setLookField(LookSet looks, Field GradientLook::*field, Value value);
    GradientControl& settingChanged();
    bool showsEnabled() const;
    // Draws the look into its picture.
    void drawLook(HDC dc, LookIndex look, int width, int height);
    // What painting shows now: the blend, the normal or the disabled look.
    Bitmap* shownPicture();
    // A press, release, entry or leave the interaction rules saw.
    void react(const gradient::Reaction& reaction);
    // One step of the transition, and the blend that shows it.
    void tick();
    // The control was disabled: no pointer over it, no press, no transition.
    void resetInteraction();

    GradientPictures pictures_;
    GradientInteraction interaction_;
    TransitionTimer transition_;
    bool focused_ = false;
    SIZE laidOutFor_{-1, -1};
};

}  // namespace toolkit
