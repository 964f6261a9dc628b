// Where a control lies in its parent's client area, and how it follows
// that area as it changes size.
#pragma once

#include <windows.h>

#include <array>

namespace toolkit {

class Control;

enum Alignment : int { NoAlignment = 0, ClientAlignment = 5 };

// The geometry part of every control (a base of Control); its setters
// return the control, so that they chain with the others. A control fills
// its parent's client area, or keeps its distance from the edges it is
// anchored to: anchored to both edges of a direction it stretches, to the
// right or bottom edge alone it moves.
class AnchoredLayout {
public:
    Control& setPosition(int left, int top);
    // 0 leaves that dimension as it is.
    Control& setSize(int width, int height);
    // Unlike setSize these take 0 too (a paint box fitted to an empty
    // bitmap is 0 x 0).
    Control& setWidth(int width);
    Control& setHeight(int height);
    int left() const { return bounds_.left; }
    int top() const { return bounds_.top; }
    int width() const { return bounds_.width; }
    int height() const { return bounds_.height; }
    // The area children are laid out in.
    virtual int clientWidth() const;
    virtual int clientHeight() const;
    Control& setAnchors(bool left, bool top, bool right, bool bottom);
    Control& setAlignToParent(Alignment alignment);

protected:
    // In client pixels of the parent.
    struct Bounds {
        int left = 0;
        int top = 0;
        int width = 64;
        int height = 64;
    };

    AnchoredLayout() = default;
    ~AnchoredLayout() = default;
    AnchoredLayout(const AnchoredLayout&) = delete;
    AnchoredLayout& operator=(const AnchoredLayout&) = delete;

    // Where child position (0, 0) lies in this control's client area.
    virtual POINT childOrigin() const { return {0, 0}; }
    // A child moved or changed size.
    virtual void childGeometryChanged() {}

    // The window exists: its children were placed for the client area it
    // has now; those filling it take its size before their windows are made.
    void layOutNewWindow();
    // The window changed size: the bounds follow, and unless the window is
    // still being made, the children are laid out anew and the parent is
    // told. True in that case.
    bool windowResized();
    // Lays the children out after this control's client area changed size.
    void layoutChildren(int oldWidth, int oldHeight);

    Bounds bounds_;
    SIZE lastClientSize_{};  // what the children were last laid out for

private:
    Control& control();
    const Control& control() const;
    // The bounds after the parent's client area became `width` x `height`,
    // having grown by (dx, dy). True when the window is to be placed anew:
    // always when it fills the area, else when the area changed.
    bool followParent(int width, int height, int dx, int dy);
    void placeWindow(UINT flags);
    void applySize();

    std::array<bool, 4> anchors_{};  // left, top, right, bottom
    Alignment alignment_ = NoAlignment;
    bool layoutReady_ = false;  // the window exists and its children are placed
};

}  // namespace toolkit
