// The application object through real windows and its real message loop:
// close requests, the loop and its pre-filter, freeing, minimising.
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/plain_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/object.h"
#include "core/object_list.h"
#include "ui_driver.h"

namespace {

using namespace toolkit;

// Ends a run that the code under test fails to end, so that such a fault
// shows as a failed expectation instead of a test that never returns.
class RunGuard {
public:
    explicit RunGuard(UINT milliseconds = 5000) : timer_(SetTimer(nullptr, 0, milliseconds, &RunGuard::expired)) {
        fired() = false;
    }
    ~RunGuard() { KillTimer(nullptr, timer_); }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    static bool& fired() {
        static bool value = false;
        return value;
    }

private:
    static void CALLBACK expired(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        fired() = true;
        PostQuitMessage(0);
    }

    UINT_PTR timer_;
};

// Runs `action` from the message loop as soon as the form is on screen.
std::unique_ptr<ui_driver::DialogAnswerer> onceShown(Form& form, std::function<void()> action) {
    return std::make_unique<ui_driver::DialogAnswerer>(
        [&form] { return form.handle() != nullptr && IsWindowVisible(form.handle()) ? form.handle() : nullptr; },
        [action = std::move(action)](HWND) { action(); });
}

void postCharacters(HWND window, const std::wstring& characters) {
    for (wchar_t character : characters) PostMessageW(window, WM_CHAR, character, 1);
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui_driver::pumpMessages();  // nothing left over from an earlier test
        app_ = newApplication("Skirvane");
        main_ = &newForm(*app_, "Главная");
        main_->setPosition(30, 30);
        main_->setClientSize(300, 200);
    }

    Form& newShownForm(const std::string& caption) {
        Form& form = newForm(*app_, caption);
        form.setPosition(360, 30);
        form.setClientSize(200, 150);
        form.setVisible(true);
        return form;
    }

    void run() {
        RunGuard guard;
        app_->run();
        EXPECT_FALSE(RunGuard::fired()) << "the message loop did not end by itself";
    }

    core::Ref<Application> app_;
    Form* main_ = nullptr;
};

// --- close requests --------------------------------------------------------------

using CloseRequestTest = ApplicationTest;

TEST_F(CloseRequestTest, CloseRunsTheCloseEventWithAcceptSet) {
    Form& form = newShownForm("Вторая");
    std::vector<bool> acceptOnEntry;
    form.setOnClose([&](Control&, bool& accept) { acceptOnEntry.push_back(accept); });
    form.close();
    ui_driver::pumpMessages();
    EXPECT_EQ(acceptOnEntry, std::vector<bool>{true});
}

TEST_F(CloseRequestTest, RefusedCloseLeavesTheFormAsItWas) {
    Form& form = newShownForm("Вторая");
    HWND window = form.handle();
    form.setOnClose([](Control&, bool& accept) { accept = false; });
    form.close();
    ui_driver::pumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(form.handle(), window);
    EXPECT_TRUE(form.visible());
}

TEST_F(CloseRequestTest, AcceptedCloseOfAnotherFormHidesItAndShowAndBringToFrontShowsItAgain) {
    Form& form = newShownForm("Вторая");
    EditBox& edit = newEditBox(form, 0);
    SendMessageW(edit.handle(), WM_CHAR, L'ю', 1);
    HWND window = form.handle();
    form.close();
    ui_driver::pumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(form.visible());

    form.showAndBringToFront();
    EXPECT_EQ(form.handle(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(edit.caption(), "ю");
}

TEST_F(CloseRequestTest, AcceptedCloseOfTheMainFormEndsRun) {
    int closes = 0;
    main_->setOnClose([&](Control&, bool&) { ++closes; });
    auto closer = onceShown(*main_, [this] { main_->close(); });
    EXPECT_FALSE(app_->terminated());
    run();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(app_->terminated());
}

TEST_F(CloseRequestTest, RefusedCloseOfTheMainFormKeepsTheProgramRunning) {
    int closes = 0;
    bool visibleAfterRefusal = false;
    main_->setOnClose([&](Control& sender, bool& accept) {
        if (++closes > 1) {
            visibleAfterRefusal = IsWindowVisible(sender.handle()) != 0;
            return;
        }
        accept = false;
        main_->close();  // asks again; this time it is accepted
    });
    auto closer = onceShown(*main_, [this] { main_->close(); });
    run();
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(visibleAfterRefusal);
}

TEST_F(CloseRequestTest, ClosingTheMainFormEndsTheProgramEvenWhileAnotherFormIsShown) {
    Form& viewer = newShownForm("Viewer");
    int viewerCloses = 0;
    viewer.setOnClose([&](Control&, bool&) { ++viewerCloses; });
    auto closer = onceShown(*main_, [this] { main_->close(); });
    run();
    EXPECT_TRUE(app_->terminated());
    EXPECT_EQ(viewerCloses, 0);
}

TEST_F(CloseRequestTest, CloseRequestToTheApplicationWindowEndsRun) {
    int mainCloses = 0;
    main_->setOnClose([&](Control&, bool&) { ++mainCloses; });
    auto closer = onceShown(*main_, [this] { PostMessageW(app_->handle(), WM_CLOSE, 0, 0); });
    run();
    EXPECT_TRUE(app_->terminated());
    EXPECT_EQ(mainCloses, 0);
}

// The task bar button's "Close" asks the main form, which may refuse.
TEST_F(CloseRequestTest, CloseAtTheTaskBarButtonGoesThroughTheMainFormsCloseEvent) {
    int closes = 0;
    main_->setOnClose([&](Control&, bool& accept) {
        if (++closes > 1) return;
        accept = false;
        SendMessageW(app_->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // asks again; accepted this time
    });
    auto closer = onceShown(*main_, [this] { SendMessageW(app_->handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    run();
    EXPECT_TRUE(app_->terminated());
    EXPECT_EQ(closes, 2);
}

// --- the message loop ------------------------------------------------------------

class MessageLoopTest : public ApplicationTest {
protected:
    void SetUp() override {
        ApplicationTest::SetUp();
        edit_ = &newEditBox(*main_, 0);
        edit_->setOnKeyChar([this](Control&, char& character, std::uint32_t) { typed_ += character; });
    }

    EditBox* edit_ = nullptr;
    std::string typed_;
};

TEST_F(MessageLoopTest, RunShowsTheMainFormAndTheVisibleFormsButNotTheHiddenOnes) {
    Form& shown = newShownForm("Показана");
    Form& hidden = newForm(*app_, "Скрыта");
    bool mainVisible = false, shownVisible = false, hiddenVisible = true;
    auto closer = onceShown(*main_, [&] {
        mainVisible = IsWindowVisible(main_->handle()) != 0;
        shownVisible = IsWindowVisible(shown.handle()) != 0;
        hiddenVisible = hidden.handle() != nullptr && IsWindowVisible(hidden.handle());
        main_->close();
    });
    run();
    EXPECT_TRUE(mainVisible);
    EXPECT_TRUE(shownVisible);
    EXPECT_FALSE(hiddenVisible);
}

TEST_F(MessageLoopTest, MessagesQueuedBeforeRunAreHandledByIt) {
    postCharacters(edit_->createWindow(), L"aб");
    main_->close();
    run();
    EXPECT_EQ(typed_, "aб");
}

TEST_F(MessageLoopTest, PreFilterThatConsumesAMessageKeepsItFromItsWindow) {
    bool filterSawQuit = false;
    std::string filtered;
    app_->setPreFilter([&](MSG& message) {
        if (message.message == WM_QUIT) filterSawQuit = true;
        if (message.message != WM_CHAR) return false;
        filtered += static_cast<char>(message.wParam);
        return message.wParam == 'x';
    });
    postCharacters(edit_->createWindow(), L"xyx");
    main_->close();
    run();
    EXPECT_EQ(filtered, "xyx");
    EXPECT_EQ(typed_, "y");
    EXPECT_FALSE(filterSawQuit);
}

TEST_F(MessageLoopTest, QuitMessageSetsTheTerminatedFlagAndEndsRun) {
    int mainCloses = 0;
    main_->setOnClose([&](Control&, bool&) { ++mainCloses; });
    auto quitter = onceShown(*main_, [] { PostQuitMessage(0); });
    run();
    EXPECT_TRUE(app_->terminated());
    EXPECT_EQ(mainCloses, 0);
}

TEST_F(MessageLoopTest, WhatIsStillPendingWhenTheLoopEndsIsHandledBeforeRunReturns) {
    PaintBox& box = newPaintBox(*main_);
    std::vector<std::string> events;
    box.setOnPaint([&](Control&, HDC) { events.push_back("paint"); });
    main_->setOnClose([&](Control&, bool&) {
        events.push_back("close");
        box.invalidate();  // painted only after the quit message has come
    });
    auto closer = onceShown(*main_, [this] { main_->close(); });
    run();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "paint");
    EXPECT_NE(std::find(events.begin(), events.end(), "close"), events.end());
}

TEST_F(MessageLoopTest, EndingClosesTheWindowsAndTheReferenceFreesEverythingOnce) {
    int freed = 0;
    main_->setOnDestroy([&](core::ToolkitObject&) { ++freed; });
    edit_->setOnDestroy([&](core::ToolkitObject&) { ++freed; });
    app_->setOnDestroy([&](core::ToolkitObject&) { ++freed; });
    HWND mainWindow = main_->createWindow();
    HWND applicationWindow = app_->handle();
    main_->close();
    run();
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_FALSE(IsWindow(applicationWindow));
    EXPECT_EQ(freed, 0);
    app_.reset();
    EXPECT_EQ(freed, 3);
}

// --- freeing ---------------------------------------------------------------------

using FreeingTest = ApplicationTest;

TEST_F(FreeingTest, OwnedObjectsAreFreedInTheOrderTheyWereAdded) {
    std::vector<std::string> order;
    auto record = [&order](const std::string& name) {
        return [&order, name](core::ToolkitObject&) { order.push_back(name); };
    };
    app_->setOnDestroy(record("application"));
    main_->setOnDestroy(record("main"));
    newLabel(*main_, "Метка").setOnDestroy(record("main label"));
    core::Ref<core::ObjectList> list = core::create<core::ObjectList>();
    list->setOnDestroy(record("main list"));
    main_->own(std::move(list));
    newEditBox(*main_, 0).setOnDestroy(record("main edit"));
    Form& second = newForm(*app_, "Вторая");
    second.setOnDestroy(record("second"));
    ScrollBox& box = newScrollBox(second, ScrollBox::SunkenEdge);
    box.setOnDestroy(record("second box"));
    newPaintBox(box).setOnDestroy(record("second box paint box"));
    core::Ref<core::ObjectList> late = core::create<core::ObjectList>();
    late->setOnDestroy(record("application list"));
    app_->own(std::move(late));

    main_->createWindow();
    main_->close();
    run();
    EXPECT_TRUE(order.empty());
    app_.reset();
    EXPECT_EQ(order, (std::vector<std::string>{"application", "main", "main label", "main list", "main edit", "second",
                                                "second box", "second box paint box", "application list"}));
}

// --- minimising ------------------------------------------------------------------

class MinimiseTest : public ApplicationTest {
protected:
    void SetUp() override {
        ApplicationTest::SetUp();
        app_->registerMinimiseForm(*main_);
        main_->rememberShowState();
        main_->setVisible(true);
        ui_driver::pumpMessages();
    }

    void minimiseFromTheMainForm() {
        SendMessageW(main_->handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ui_driver::pumpMessages();
    }

    void restoreTheApplication() {
        SendMessageW(app_->handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        ui_driver::pumpMessages();
    }
};

TEST_F(MinimiseTest, ApplicationWindowsSystemMenuOffersNeitherRestoreNorSizeMoveOrMaximise) {
    HMENU menu = GetSystemMenu(app_->handle(), FALSE);
    ASSERT_NE(menu, nullptr);
    const UINT missing = static_cast<UINT>(-1);
    EXPECT_NE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND), missing);
    EXPECT_TRUE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), missing);
    EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), missing);
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), missing);
    EXPECT_NE(GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND), missing);
    EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), missing);
}

TEST_F(MinimiseTest, MinimisingHidesTheFormsAndRestoringShowsThemAsTheyWere) {
    Form& zoomed = newShownForm("Развёрнута");
    ShowWindow(zoomed.handle(), SW_MAXIMIZE);
    Form& iconic = newShownForm("Свёрнута");
    ShowWindow(iconic.handle(), SW_MINIMIZE);
    Form& hidden = newForm(*app_, "Скрыта");
    hidden.createWindow();
    for (Form* form : {&zoomed, &iconic, &hidden}) form->rememberShowState();
    ui_driver::pumpMessages();
    ASSERT_TRUE(IsZoomed(zoomed.handle()));
    ASSERT_TRUE(IsIconic(iconic.handle()));

    minimiseFromTheMainForm();
    for (Form* form : {main_, &zoomed, &iconic, &hidden}) EXPECT_FALSE(IsWindowVisible(form->handle()));
    EXPECT_TRUE(IsIconic(app_->handle()));

    restoreTheApplication();
    EXPECT_FALSE(IsIconic(app_->handle()));
    EXPECT_TRUE(IsWindowVisible(main_->handle()));
    EXPECT_FALSE(IsIconic(main_->handle()));
    EXPECT_FALSE(IsZoomed(main_->handle()));
    EXPECT_TRUE(IsWindowVisible(zoomed.handle()));
    EXPECT_TRUE(IsZoomed(zoomed.handle()));
    EXPECT_TRUE(IsWindowVisible(iconic.handle()));
    EXPECT_TRUE(IsIconic(iconic.handle()));
    EXPECT_FALSE(IsWindowVisible(hidden.handle()));
}

// Restored from the task bar, the main form is active again and its
// control that had the keyboard has it again.
TEST_F(MinimiseTest, RestoringActivatesTheMainFormWithItsFocusedControl) {
    EditBox& edit = newEditBox(*main_, 0);
    ui_driver::pumpMessages();
    SetForegroundWindow(main_->handle());
    SetFocus(edit.handle());
    ASSERT_EQ(GetFocus(), edit.handle());
    minimiseFromTheMainForm();
    restoreTheApplication();
    EXPECT_EQ(GetForegroundWindow(), main_->handle());
    EXPECT_EQ(GetFocus(), edit.handle());
}

TEST_F(MinimiseTest, RememberedStateIsUsedOnce) {
    minimiseFromTheMainForm();
    restoreTheApplication();
    ASSERT_TRUE(IsWindowVisible(main_->handle()));
    ShowWindow(main_->handle(), SW_HIDE);
    restoreTheApplication();
    EXPECT_FALSE(IsWindowVisible(main_->handle()));
}

TEST_F(MinimiseTest, ApplicationWindowStartsTheMinimiseFromTheMainFormsTopEdge) {
    RECT formBounds;
    GetWindowRect(main_->handle(), &formBounds);
    minimiseFromTheMainForm();
    WINDOWPLACEMENT placement{sizeof placement};
    GetWindowPlacement(app_->handle(), &placement);
    EXPECT_EQ(placement.rcNormalPosition.left, formBounds.left);
    EXPECT_EQ(placement.rcNormalPosition.top, formBounds.top);
    EXPECT_EQ(placement.rcNormalPosition.right, formBounds.right);
    EXPECT_EQ(placement.rcNormalPosition.bottom, formBounds.top);
}

TEST_F(MinimiseTest, MinimisingAnotherFormMinimisesOnlyThatForm) {
    Form& other = newShownForm("Другая");
    other.rememberShowState();
    SendMessageW(other.handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ui_driver::pumpMessages();
    EXPECT_TRUE(IsIconic(other.handle()));
    EXPECT_TRUE(IsWindowVisible(main_->handle()));
    EXPECT_FALSE(IsIconic(app_->handle()));
}

}  // namespace
