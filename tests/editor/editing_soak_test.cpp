// The real editor worked by random scripts of a user's actions on random
// models: every action is made with the pointer and the keyboard, every
// notice it brings is read and answered, the list is compared with what it
// must show, and each save must write exactly the file the expectation
// holds. At the end every step is undone and the save gives back the model
// as it was opened. A failure names the seed and the actions up to it;
// SKIRVANE_SOAK_SEED replays one seed, SKIRVANE_SOAK_SECONDS runs longer.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "expected_editor.h"
#include "model_bytes.h"
#include "panel_driver.h"
#include "soak_plan.h"
#include "user_actions.h"

namespace {

using editor_driver::waitUntil;
using panel_driver::Button;
using test_support::ActionKind;
using test_support::ExpectedEditor;
using test_support::Notice;
using test_support::UserAction;

const char* noticeText(Notice notice) {
    switch (notice) {
        case Notice::NameRefused:
            return "Имя текстуры не должно быть длиннее 255 символов и содержать символ |";
        case Notice::AlphaNameNotStored:
            return "Alfa текстура хранится в модели только вместе с основной текстурой без собственного альфа-канала";
        case Notice::AlphaNameWouldVanish:
            return "Без основной текстуры alfa текстура не сохранится: сначала очистите имя alfa текстуры";
        case Notice::FramesRefused:
            return "Максимально возможное количество кадров: 255";
        case Notice::NotAnimatable:
            return "Diffuse текстура должна иметь имя формата *00.bmp";
        case Notice::SaveQuestion:
        case Notice::None:
            break;
    }
    return "";
}

// One run of the editor on one seed's model, worked by its script.
class SoakRun {
public:
    SoakRun(std::uint32_t seed, const test_support::ModelBytes& model) : seed_(seed), expected_(model) {}

    // Empty once the editor is up with the model open; else what failed.
    std::string start() {
        if (!session_.problem().empty()) return session_.problem();
        if (!session_.open(test_support::encodeModel(expected_.model()))) return "the model did not open";
        return checkList();
    }

    const ExpectedEditor& expected() const { return expected_; }
    std::size_t actionCount() const { return actions_.size(); }

    // Makes the action; empty when the editor did what it must, else what
    // it did not.
    std::string perform(const UserAction& action) {
        actions_.push_back(test_support::describe(action));
        const int rowBefore = expected_.selectedRow();
        const ExpectedEditor::Outcome outcome = expected_.perform(action);
        if (std::string problem = act(action, rowBefore); !problem.empty()) return problem;
        if (outcome.notice != Notice::None) {
            if (std::string problem = answerNotice(outcome.notice); !problem.empty()) return problem;
        }
        panel_driver::waitForInputHandled(session_.editor());
        if (!session_.editor().dialogs().empty()) return "a dialog came that should not have";
        switch (action.kind) {
            case ActionKind::Save:
                if (std::string difference = test_support::savedFileDifference(expected_.model(), session_.fileBytes());
                    !difference.empty())
                    return difference;
                break;
            case ActionKind::ToggleFlag:
                for (int box = 0; box < 6; ++box)
                    if (!panel_driver::waitForCheckMark(controls().flagBoxes()[static_cast<std::size_t>(box)],
                                                        expected_.flagBoxChecked(box)))
                        return "flag box " + std::to_string(box) + " shows the wrong mark";
                break;
            case ActionKind::ToggleAnimation:
                if (!panel_driver::waitForCheckMark(controls().animateBox, expected_.animationChecked()))
                    return "the animation box shows the wrong mark";
                break;
            default:
                break;
        }
        return checkList();
    }

    // The seed and every action so far.
    std::string script() const {
        std::ostringstream text;
        text << "seed " << seed_ << " (SKIRVANE_SOAK_SEED=" << seed_ << " replays it), actions:\n";
        for (std::size_t i = 0; i < actions_.size(); ++i) text << "  " << i + 1 << ". " << actions_[i] << '\n';
        return text.str();
    }

private:
    const panel_driver::PanelControls& controls() const { return session_.controls(); }

    HWND bar(int index) const {
        const panel_driver::PanelControls& c = controls();
        const std::array<const panel_driver::ChannelControls*, 3> channels{&c.ambient, &c.diffuse, &c.emission};
        if (index == test_support::kReflectionDensityBar) return c.reflectionDensityBar;
        if (index == test_support::kDensityBar) return c.diffuseDensityBar;
        const panel_driver::ChannelControls& channel = *channels[static_cast<std::size_t>(index / 3)];
        return std::array{channel.red, channel.green, channel.blue}[static_cast<std::size_t>(index % 3)];
    }

    HWND nameBox(int kind) const {
        return std::array{controls().reflectionNameBox, controls().diffuseNameBox,
                          controls().alphaNameBox}[static_cast<std::size_t>(kind)];
    }

    HWND swatch(int channel) const {
        return std::array{controls().ambient.swatch, controls().diffuse.swatch,
                          controls().emission.swatch}[static_cast<std::size_t>(channel)];
    }

    // A row is clicked where it shows: the list scrolls to it first.
    bool clickRow(int row) {
        SendMessageW(controls().materialList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        return session_.editor().clickListRow(controls().materialList, row);
    }

    bool enterText(HWND box, const std::string& text, bool withEnter) {
        if (!editor_driver::typeIntoBox(box, text)) return false;
        if (withEnter) editor_driver::pressKey(VK_RETURN);
        return true;
    }

    // The action made with the pointer and the keyboard.
    std::string act(const UserAction& action, int rowBefore) {
        switch (action.kind) {
            case ActionKind::ClickRow:
                if (!clickRow(action.index)) return "the row could not be clicked";
                break;
            case ActionKind::ArrowUp:
            case ActionKind::ArrowDown:
                // The list takes the keys once its selected row is clicked.
                if (!clickRow(rowBefore)) return "the list could not be clicked";
                editor_driver::pressKey(action.kind == ActionKind::ArrowUp ? VK_UP : VK_DOWN);
                break;
            case ActionKind::DragBar:
                if (!panel_driver::dragSlider(bar(action.index), {panel_driver::sliderX(bar(action.index), action.from),
                                                                  panel_driver::sliderX(bar(action.index), action.to)}))
                    return "the bar could not be dragged";
                break;
            case ActionKind::ClickBar:
            case ActionKind::RightClickBar: {
                const bool right = action.kind == ActionKind::RightClickBar;
                const int x = panel_driver::sliderX(bar(action.index), right ? 50 : action.to);
                if (!panel_driver::clickSlider(bar(action.index), x, right ? Button::Right : Button::Left))
                    return "the bar could not be clicked";
                break;
            }
            case ActionKind::ToggleFlag:
                if (!editor_driver::clickMiddle(controls().flagBoxes()[static_cast<std::size_t>(action.index)]))
                    return "the flag box could not be clicked";
                break;
            case ActionKind::TypeName:
            case ActionKind::EnterName:
                if (!enterText(nameBox(action.index), action.text, action.kind == ActionKind::EnterName))
                    return "the name box did not take the keyboard";
                break;
            case ActionKind::ToggleAnimation:
                if (!editor_driver::clickMiddle(controls().animateBox)) return "the animation box could not be clicked";
                break;
            case ActionKind::EnterFrames:
            case ActionKind::EnterDelay:
                if (!enterText(action.kind == ActionKind::EnterFrames ? controls().framesBox : controls().delayBox,
                               action.text, true))
                    return "the animation box did not take the keyboard";
                break;
            case ActionKind::ChooseColour: {
                if (!editor_driver::clickMiddle(swatch(action.index))) return "the swatch could not be clicked";
                HWND dialog = panel_driver::waitForColourDialog(session_.editor());
                if (dialog == nullptr) return "no colour dialog came";
                if (!panel_driver::typeColour(dialog, {action.colour[0], action.colour[1], action.colour[2]}))
                    return "the colour dialog did not take the colour";
                editor_driver::pressButton(dialog, IDOK);
                if (!editor_driver::waitForWindowGone(dialog)) return "the colour dialog did not go";
                break;
            }
            case ActionKind::Search:
                if (!enterText(editor_driver::findMainWindowControls(session_.mainWindow()).searchBox, action.text,
                               true))
                    return "the search box did not take the keyboard";
                break;
            case ActionKind::ShowAll:
                if (!editor_driver::clickMiddle(
                        editor_driver::findMainWindowControls(session_.mainWindow()).showAllButton))
                    return "\"Показать все\" could not be clicked";
                break;
            case ActionKind::Undo:
                editor_driver::pressControlKey('Z');
                break;
            case ActionKind::Redo:
                editor_driver::pressControlKey('Y');
                break;
            case ActionKind::Save:
                if (!session_.save()) return "saving did not end";
                break;
            case ActionKind::CloseAndCancel:
                if (!editor_driver::clickCloseBox(session_.mainWindow()))
                    return "the close box could not be clicked; " + titleBarReport();
                break;
        }
        return {};
    }

    // What stood in the way of a click on the title bar: a program that
    // does not answer, or another window over the bar.
    std::string titleBarReport() {
        HWND window = session_.mainWindow();
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) == 0)
            return "the program did not answer within 5 s";
        RECT bounds{};
        GetWindowRect(window, &bounds);
        const POINT nearCloseBox{bounds.right - GetSystemMetrics(SM_CXSIZE) / 2 - GetSystemMetrics(SM_CXFRAME),
                                 bounds.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
        HWND over = GetAncestor(WindowFromPoint(nearCloseBox), GA_ROOT);
        if (over == window) return "the main window shows its close box and answers";
        return "a window captioned \"" + editor_driver::windowText(over) + "\" lies over the close box";
    }

    std::string answerNotice(Notice notice) {
        const bool question = notice == Notice::SaveQuestion;
        const auto seen = panel_driver::answerMessageBox(session_.editor(), question ? IDCANCEL : IDOK);
        if (!seen) return std::string("no message box came for: ") + (question ? "the question" : noticeText(notice));
        const std::string expected =
            question ? "Сохранить изменения в файле " + session_.modelPath() + "?" : noticeText(notice);
        if (seen->text != expected) return "the message box said \"" + seen->text + "\", not \"" + expected + "\"";
        if (question && !session_.editor().running()) return "the program ended after Cancel";
        return {};
    }

    std::string checkList() {
        const std::vector<std::string> rows = expected_.rowTexts();
        if (!waitUntil([&] { return session_.rows() == rows; }))
            return "the list shows " + testing::PrintToString(session_.rows()) + ", not " +
                   testing::PrintToString(rows);
        if (session_.editor().selectedListRow(controls().materialList) != expected_.selectedRow())
            return "row " + std::to_string(session_.editor().selectedListRow(controls().materialList)) +
                   " is selected, not " + std::to_string(expected_.selectedRow());
        return {};
    }

    std::uint32_t seed_;
    panel_driver::PanelSession session_;
    ExpectedEditor expected_;
    std::vector<std::string> actions_;
};

TEST(EditorSoak, RandomUserScriptsSaveWhatTheyMeanAndUndoToTheOpenedModel) {
    test_support::SoakPlan plan(std::chrono::seconds(120), 80);
    while (const std::optional<std::uint32_t> seed = plan.nextSeed()) {
        std::mt19937 random(*seed);
        const test_support::ModelBytes opened = test_support::randomEditingModel(random);
        SoakRun run(*seed, opened);
        const std::string started = run.start();
        ASSERT_EQ(started, "") << "seed " << *seed;
        const auto perform = [&](const UserAction& action) {
            const std::string problem = run.perform(action);
            if (!problem.empty()) ADD_FAILURE() << problem << " after " << run.script();
            return problem.empty();
        };
        for (int i = 0; i < plan.actionsPerSeed() && plan.timeLeft(); ++i)
            if (!perform(test_support::randomAction(random, run.expected()))) return;
        // The first undo also takes back a change the panel still holds,
        // which is no step yet.
        do {
            if (!perform({.kind = ActionKind::Undo})) return;
        } while (run.expected().canUndo());
        if (!perform({.kind = ActionKind::Save})) return;
        EXPECT_EQ(run.expected().savedFile(), test_support::withSavedHeader(test_support::encodeModel(opened)))
            << run.script();
        std::printf("seed %u: %zu actions\n", *seed, run.actionCount());
        editor_driver::parkPointer();
    }
}

}  // namespace
