// Random editing scripts run against the model code as the editor runs it:
// each write-back of the panel is a change applied by the edit rules and
// recorded in the history, undo and redo give materials their states back,
// and every save must write exactly the file the expectation holds. At the
// end, undoing every step and saving gives back the model as it was opened.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sstream>

#include "expected_editor.h"
#include "model/edit_history.h"
#include "model/material_edit.h"
#include "model/model_file.h"
#include "model_bytes.h"
#include "soak_plan.h"
#include "temp_folder.h"
#include "user_actions.h"

namespace {

using test_support::ActionKind;
using test_support::ExpectedEditor;
using test_support::PanelChange;
using test_support::UserAction;

model::MaterialEdit materialEditOf(const PanelChange& change) {
    model::MaterialEdit edit;
    edit.ambient = change.colours[0];
    edit.diffuse = change.colours[1];
    edit.emission = change.colours[2];
    edit.reflectionDensity = change.reflectionDensity;
    edit.density = change.density;
    edit.names = change.names;
    edit.flagsToSet = change.flagsToSet;
    edit.flagsToClear = change.flagsToClear;
    if (change.animation) {
        edit.animation = std::optional<model::Animation>();
        if (*change.animation)
            *edit.animation = model::Animation{(*change.animation)->frames, (*change.animation)->delay};
    }
    return edit;
}

// The model, its history and its file, changed as the editor changes them.
class EditedModel {
public:
    explicit EditedModel(std::string path) : path_(std::move(path)) {}

    bool load() {
        history_.clear();
        return model_.load(path_);
    }

    // What one action does to the model; an empty text when it went as
    // expected, else what went wrong.
    std::string follow(const UserAction& action, const ExpectedEditor::Outcome& outcome,
                       const ExpectedEditor& expected) {
        if (outcome.changedMaterial) {
            model::Material& material =
                *model_.materials().materialAt(static_cast<std::int32_t>(*outcome.changedMaterial) + 1);
            model::MaterialState before = material.state();
            if (!model::applyEdit(material, materialEditOf(outcome.change)))
                return "the edit rules refused the panel's change";
            model::MaterialState after = material.state();
            if (!(after == before))
                history_.record(static_cast<std::int32_t>(*outcome.changedMaterial) + 1, std::move(before),
                                std::move(after));
        }
        switch (action.kind) {
            case ActionKind::Undo:
                if (history_.canUndo()) restore(history_.undo(), true);
                break;
            case ActionKind::Redo:
                if (history_.canRedo()) restore(history_.redo(), false);
                break;
            case ActionKind::Save:
                if (!model_.save(path_)) return "the model was not saved";
                history_.markSaved();
                if (std::string difference =
                        test_support::savedFileDifference(expected.model(), test_support::readFileBytes(path_));
                    !difference.empty())
                    return difference;
                break;
            case ActionKind::CloseAndCancel:
                if (history_.atSaved() != (outcome.notice != test_support::Notice::SaveQuestion))
                    return "unsaved changes are not what they should be";
                break;
            default:
                break;
        }
        if (history_.canUndo() != expected.canUndo() || history_.canRedo() != expected.canRedo())
            return "undo and redo are not offered as they should be";
        return {};
    }

private:
    void restore(const model::EditHistory::Step& step, bool undone) {
        model_.materials().materialAt(step.number)->setState(undone ? step.before : step.after);
    }

    std::string path_;
    model::ModelFile model_;
    model::EditHistory history_;
};

std::string script(std::uint32_t seed, const std::vector<std::string>& actions) {
    std::ostringstream text;
    text << "seed " << seed << " (SKIRVANE_SOAK_SEED=" << seed << " replays it), actions:\n";
    for (std::size_t i = 0; i < actions.size(); ++i) text << "  " << i + 1 << ". " << actions[i] << '\n';
    return text.str();
}

TEST(EditingSoak, RandomScriptsSaveWhatTheyMeanAndUndoToTheOpenedModel) {
    test_support::TempFolder folder;
    test_support::SoakPlan plan(std::chrono::seconds(8), 400);
    while (const std::optional<std::uint32_t> seed = plan.nextSeed()) {
        std::mt19937 random(*seed);
        const test_support::ModelBytes opened = test_support::randomEditingModel(random);
        const std::string path = folder.file("model.4ds");
        test_support::writeFileBytes(path, test_support::encodeModel(opened));
        EditedModel edited(path);
        ASSERT_TRUE(edited.load()) << "seed " << *seed;
        ExpectedEditor expected(opened);
        std::vector<std::string> actions;
        const auto run = [&](const UserAction& action) {
            actions.push_back(test_support::describe(action));
            const ExpectedEditor::Outcome outcome = expected.perform(action);
            const std::string problem = edited.follow(action, outcome, expected);
            if (!problem.empty()) ADD_FAILURE() << problem << " after " << script(*seed, actions);
            return problem.empty();
        };
        bool going = true;
        for (int i = 0; going && i < plan.actionsPerSeed() && plan.timeLeft(); ++i)
            going = run(test_support::randomAction(random, expected));
        if (!going) return;
        // Every step taken back: the opened model, unless the history had
        // to let its oldest steps go.
        while (going && expected.canUndo()) going = run({.kind = ActionKind::Undo});
        if (going && run({.kind = ActionKind::Save}) && !expected.droppedSteps()) {
            EXPECT_EQ(expected.savedFile(), test_support::withSavedHeader(test_support::encodeModel(opened)))
                << script(*seed, actions);
        }
    }
}

}  // namespace
