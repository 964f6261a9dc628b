// Random editing scripts run against the document as the editor runs it:
// each write-back of the panel is a change the document makes and records,
// undo and redo give materials their states back, and every save must
// write exactly the file the expectation holds. At the
// end, undoing every step and saving gives back the model as it was opened.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sstream>

#include "expected_editor.h"
#include "model/document.h"
#include "model/material_edit.h"
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

// What one action does to the document as the editor does it; an empty
// text when it went as expected, else what went wrong.
std::string follow(model::Document& document, const UserAction& action, const ExpectedEditor::Outcome& outcome,
                   const ExpectedEditor& expected) {
    if (outcome.changedMaterial &&
        !document.change(static_cast<std::int32_t>(*outcome.changedMaterial) + 1, materialEditOf(outcome.change)))
        return "the edit rules refused the panel's change";
    switch (action.kind) {
        case ActionKind::Undo:
            document.undo();
            break;
        case ActionKind::Redo:
            document.redo();
            break;
        case ActionKind::Save: {
            if (!document.save()) return "the model was not saved";
            std::string difference =
                test_support::savedFileDifference(expected.model(), test_support::readFileBytes(document.path()));
            if (!difference.empty()) return difference;
            break;
        }
        case ActionKind::CloseAndCancel:
            if (document.unsaved() != (outcome.notice == test_support::Notice::SaveQuestion))
                return "unsaved changes are not what they should be";
            break;
        default:
            break;
    }
    if (document.canUndo() != expected.canUndo() || document.canRedo() != expected.canRedo())
        return "undo and redo are not offered as they should be";
    return {};
}

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
        model::Document document;
        ASSERT_TRUE(document.open(path)) << "seed " << *seed;
        ExpectedEditor expected(opened);
        std::vector<std::string> actions;
        const auto run = [&](const UserAction& action) {
            actions.push_back(test_support::describe(action));
            const ExpectedEditor::Outcome outcome = expected.perform(action);
            const std::string problem = follow(document, action, outcome, expected);
            if (!problem.empty()) ADD_FAILURE() << problem << " after " << script(*seed, actions);
            return problem.empty();
        };
        bool going = true;
        for (int i = 0; going && i < plan.actionsPerSeed() && plan.timeLeft(); ++i)
            going = run(test_support::randomAction(random, expected));
        if (!going) return;
        // Every step taken back: the opened model, unless the history had
        // to let its oldest steps go. The first undo also takes back a
        // change the panel still holds, which is no step yet.
        do going = run({.kind = ActionKind::Undo});
        while (going && expected.canUndo());
        if (going && run({.kind = ActionKind::Save}) && !expected.droppedSteps()) {
            EXPECT_EQ(expected.savedFile(), test_support::withSavedHeader(test_support::encodeModel(opened)))
                << script(*seed, actions);
        }
    }
}

}  // namespace
