// The status bar at the bottom of a form.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/windows/form.h"

namespace toolkit {

// The bar at the bottom of a form, made by its first text. It takes no
// room until its window exists; then the form's children share what is
// left of the client area. Parts divide the form's client width.
class StatusBar : public Control {
public:
    static constexpr int kSimplePart = 255;

    explicit StatusBar(Form& form);

    // Index 255 sets the single-part text, without switching a bar in
    // parts mode back; any other index divides the bar into at least
    // index + 1 equal parts, switches it to parts mode and sets that part's
    // text. Indexes outside 0 to 255 are ignored.
    void setText(int part, const std::string& text);
    std::string text(int part) const;
    int partCount() const { return static_cast<int>(texts_.size()); }
    bool simple() const { return simple_; }
    // Lays the bar out again along the bottom of its form and divides the
    // new width among the parts.
    void formResized();

    static bool validPart(int part) { return part >= 0 && part <= kSimplePart; }

    // In a form on screen the bar appears at once and the form's children
    // are laid out again in the smaller client area.
    void init() override;

protected:
    DWORD windowStyle() const override;
    void windowMade() override;

private:
    Form& owner() const;
    void fitToForm();
    void applyParts();
    void sendText(int part, const std::string& text);

    bool simple_ = true;
    std::string simpleText_;
    std::vector<std::string> texts_;  // one per part
};

// Sets a text of the form's status bar, making the bar first when there is
// none (in single-part mode for index 255, parts mode otherwise); the bar
// then takes its height from the bottom of the form's client area.
void setStatusText(Form& form, int part, const std::string& text);

}  // namespace toolkit
