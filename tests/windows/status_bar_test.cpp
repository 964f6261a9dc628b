// The status bar through a real form window: what the native bar shows and
// how it takes its room from the form's client area.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/plain_controls.h"
#include "toolkit/windows/status_bar.h"
#include "ui_driver.h"

namespace {

using namespace toolkit;

constexpr int kClientWidth = 600, kClientHeight = 400;

HWND nativeBar(Form& form) { return ui_driver::findDescendant(form.handle(), STATUSCLASSNAMEW); }

std::vector<int> partEdges(HWND bar) {
    std::vector<int> edges(static_cast<std::size_t>(SendMessageW(bar, SB_GETPARTS, 0, 0)));
    SendMessageW(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    return edges;
}

std::string partText(HWND bar, int part) {
    const auto length = static_cast<std::size_t>(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0)));
    std::wstring text(length + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return core::fromWide(text);
}

bool isSimple(HWND bar) { return SendMessageW(bar, SB_ISSIMPLE, 0, 0) != 0; }

// A control's rectangle in its form's client coordinates.
RECT placeInForm(const Control& control, const Form& form) {
    RECT bounds;
    GetWindowRect(control.handle(), &bounds);
    MapWindowPoints(HWND_DESKTOP, form.handle(), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

RECT clientRect(const Form& form) {
    RECT client;
    GetClientRect(form.handle(), &client);
    return client;
}

class StatusBarTest : public ::testing::Test {
protected:
    StatusBarTest() { form.setClientSize(kClientWidth, kClientHeight); }

    // The form's window, hidden: the bar and the layout need no more.
    void makeFormWindow() { form.createWindow(); }

    // A child filling the usable area and one kept at the bottom edge.
    void addLaidOutChildren() {
        filling.setAlignToParent(ClientAlignment);
        bottomLabel.setPosition(10, kClientHeight - 40).setSize(100, 20);
        bottomLabel.setAnchors(true, false, false, true);
    }

    core::Ref<Application> app = newApplication("Status bar test");
    Form& form = newForm(*app, "Строка состояния");
    Label& filling = newLabel(form, "");
    Label& bottomLabel = newLabel(form, "Внизу");
};

TEST_F(StatusBarTest, PartTextOnFormWithoutBarMakesOnePartAcrossTheWidth) {
    makeFormWindow();
    setStatusText(form, 0, "Готово");
    HWND bar = nativeBar(form);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(form.statusBar()->handle(), bar);
    EXPECT_FALSE(isSimple(bar));
    EXPECT_EQ(partEdges(bar), (std::vector<int>{-1}));
    EXPECT_EQ(partText(bar, 0), "Готово");
    EXPECT_EQ(form.statusBar()->text(0), "Готово");

    // The simple text is kept but does not bring simple mode back.
    setStatusText(form, StatusBar::kSimplePart, "Подсказка");
    EXPECT_FALSE(isSimple(bar));
    EXPECT_EQ(partText(bar, 0), "Готово");
    EXPECT_EQ(form.statusBar()->text(StatusBar::kSimplePart), "Подсказка");
}

TEST_F(StatusBarTest, SimpleTextMakesASimpleBar) {
    makeFormWindow();
    setStatusText(form, StatusBar::kSimplePart, " ");
    HWND bar = nativeBar(form);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(isSimple(bar));
    EXPECT_EQ(partText(bar, 0), " ");
    setStatusText(form, StatusBar::kSimplePart, "Плотность текстуры");
    EXPECT_TRUE(isSimple(bar));
    EXPECT_EQ(partText(bar, 0), "Плотность текстуры");
    EXPECT_EQ(form.statusBar()->text(StatusBar::kSimplePart), "Плотность текстуры");

    // A part text switches the bar to parts mode for good.
    setStatusText(form, 1, "Второй");
    EXPECT_FALSE(isSimple(bar));
    EXPECT_EQ(partEdges(bar).size(), 2U);
    EXPECT_EQ(partText(bar, 1), "Второй");
    EXPECT_EQ(nativeBar(form), bar);  // still the one bar
}

TEST_F(StatusBarTest, PartsShareTheFormWidthEqually) {
    makeFormWindow();
    setStatusText(form, 2, "Третья");
    HWND bar = nativeBar(form);
    ASSERT_NE(bar, nullptr);
    const int step = kClientWidth / 3;
    EXPECT_EQ(partEdges(bar), (std::vector<int>{step, 2 * step, -1}));
    EXPECT_EQ(partText(bar, 2), "Третья");
    EXPECT_EQ(partText(bar, 0), "");

    // A lower index keeps the parts as they are.
    setStatusText(form, 0, "Первая");
    EXPECT_EQ(partEdges(bar), (std::vector<int>{step, 2 * step, -1}));
    EXPECT_EQ(partText(bar, 0), "Первая");
    EXPECT_EQ(partText(bar, 2), "Третья");

    // A resized form divides its new width.
    form.setClientSize(900, 0);
    EXPECT_EQ(partEdges(bar), (std::vector<int>{300, 600, -1}));
    EXPECT_EQ(partText(bar, 2), "Третья");
}

TEST_F(StatusBarTest, BarTakesItsHeightFromTheClientArea) {
    addLaidOutChildren();
    makeFormWindow();
    const RECT labelBefore = placeInForm(bottomLabel, form);
    ASSERT_EQ(labelBefore.top, kClientHeight - 40);
    ASSERT_EQ(form.clientHeight(), kClientHeight);

    setStatusText(form, 0, "Готово");
    HWND bar = nativeBar(form);
    ASSERT_NE(bar, nullptr);
    const RECT barPlace = placeInForm(*form.statusBar(), form);
    const int barHeight = barPlace.bottom - barPlace.top;
    ASSERT_GT(barHeight, 0);
    EXPECT_EQ(barPlace.bottom, clientRect(form).bottom);
    EXPECT_EQ(barPlace.right - barPlace.left, kClientWidth);
    EXPECT_EQ(form.statusBarHeight(), barHeight);
    EXPECT_EQ(form.clientHeight(), kClientHeight - barHeight);

    EXPECT_EQ(placeInForm(filling, form).bottom, kClientHeight - barHeight);
    EXPECT_EQ(placeInForm(bottomLabel, form).top, labelBefore.top - barHeight);
}

TEST_F(StatusBarTest, BarMadeBeforeTheWindowComesWithIt) {
    addLaidOutChildren();
    setStatusText(form, StatusBar::kSimplePart, "Сначала");
    ASSERT_NE(form.statusBar(), nullptr);
    EXPECT_EQ(form.statusBarHeight(), 0);  // no window, no room taken yet
    makeFormWindow();
    HWND bar = nativeBar(form);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(isSimple(bar));
    EXPECT_EQ(partText(bar, 0), "Сначала");

    const RECT barPlace = placeInForm(*form.statusBar(), form);
    const int barHeight = barPlace.bottom - barPlace.top;
    ASSERT_GT(barHeight, 0);
    EXPECT_EQ(barPlace.bottom, kClientHeight);
    EXPECT_EQ(form.clientHeight(), kClientHeight - barHeight);
    EXPECT_EQ(placeInForm(filling, form).bottom, kClientHeight - barHeight);
    // Positions given before the window refer to the area the form has
    // with its bar.
    EXPECT_EQ(placeInForm(bottomLabel, form).top, kClientHeight - 40);

    // Growing the form moves the bottom child by just that much.
    form.setClientSize(0, kClientHeight + 50);
    EXPECT_EQ(placeInForm(bottomLabel, form).top, kClientHeight + 10);
    EXPECT_EQ(placeInForm(filling, form).bottom, kClientHeight + 50 - barHeight);
    EXPECT_EQ(placeInForm(*form.statusBar(), form).bottom, kClientHeight + 50);
}

TEST_F(StatusBarTest, PartsSetBeforeTheWindowAreShownWithIt) {
    setStatusText(form, 1, "Вторая");
    setStatusText(form, 0, "Первая");
    makeFormWindow();
    HWND bar = nativeBar(form);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(isSimple(bar));
    EXPECT_EQ(partEdges(bar), (std::vector<int>{kClientWidth / 2, -1}));
    EXPECT_EQ(partText(bar, 0), "Первая");
    EXPECT_EQ(partText(bar, 1), "Вторая");
}

TEST_F(StatusBarTest, IndexesOutsideTheBarAreIgnored) {
    setStatusText(form, -1, "нет");
    setStatusText(form, 256, "нет");
    EXPECT_EQ(form.statusBar(), nullptr);
    makeFormWindow();
    setStatusText(form, 0, "да");
    setStatusText(form, 300, "нет");
    EXPECT_EQ(partEdges(nativeBar(form)).size(), 1U);
    EXPECT_EQ(form.statusBar()->text(300), "");
}

}  // namespace
