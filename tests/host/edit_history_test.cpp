#include "model/edit_history.h"

#include <gtest/gtest.h>

#include <random>

#include "core/file_stream.h"
#include "model/material_edit.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using model::EditHistory;
using model::MaterialState;

// A state told apart from others by its flag word.
MaterialState stateWithFlags(std::uint32_t flags) {
    MaterialState state;
    state.flags = flags;
    return state;
}

TEST(MaterialState, GivesTheMaterialBackEveryStoredByte) {
    test_support::TempFolder folder;
    std::mt19937 random(21);
    for (int round = 0; round < 50; ++round) {
        const std::string record = test_support::encodeRecord(test_support::randomRecord(random));
        test_support::writeFileBytes(folder.file("record"), record);
        core::Ref<model::Material> material = core::create<model::Material>();
        ASSERT_TRUE(material->read(*core::openFileForReading(folder.file("record"))));
        const MaterialState before = material->state();
        model::MaterialEdit edit;
        edit.names[model::DiffuseKind] = "OTHER00.BMP";
        edit.flagsToSet = model::DoubleSided;
        edit.density = 0.5F;
        ASSERT_TRUE(model::applyEdit(*material, edit));
        ASSERT_FALSE(material->state() == before);
        material->setState(before);
        EXPECT_TRUE(material->state() == before);
        {
            core::Ref<core::FileStream> out = core::createFileForWriting(folder.file("written"));
            ASSERT_TRUE(material->write(*out));
        }
        EXPECT_EQ(test_support::readFileBytes(folder.file("written")), record) << "round " << round;
    }
}

TEST(EditHistory, UndoAndRedoWalkTheStepsAndANewChangeDropsWhatCouldBeRedone) {
    EditHistory history;
    EXPECT_FALSE(history.canUndo());
    for (std::uint32_t step = 1; step <= 3; ++step)
        history.record(static_cast<std::int32_t>(step), stateWithFlags(step - 1), stateWithFlags(step));
    EXPECT_FALSE(history.atSaved());
    EXPECT_EQ(history.undo().before.flags, 2U);
    const EditHistory::Step& second = history.undo();
    EXPECT_EQ(second.number, 2);
    EXPECT_EQ(second.before.flags, 1U);
    EXPECT_EQ(history.redo().after.flags, 2U);
    history.markSaved();
    EXPECT_TRUE(history.canRedo());
    history.undo();
    EXPECT_FALSE(history.atSaved());
    history.redo();
    EXPECT_TRUE(history.atSaved()) << "back at the saved state";

    history.undo();
    history.record(9, stateWithFlags(1), stateWithFlags(9));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.stepCount(), 2U);
    EXPECT_FALSE(history.atSaved()) << "the saved state was only to be redone";
    history.clear();
    EXPECT_TRUE(history.atSaved());
    EXPECT_FALSE(history.canUndo());
}

TEST(EditHistory, KeepsTheNewestStepsAndForgetsASavedStateThatFellOut) {
    EditHistory history;
    for (std::uint32_t step = 1; step <= EditHistory::kMostSteps + 5; ++step)
        history.record(1, stateWithFlags(step - 1), stateWithFlags(step));
    EXPECT_EQ(history.stepCount(), EditHistory::kMostSteps);
    std::size_t undone = 0;
    for (; history.canUndo(); ++undone) history.undo();
    EXPECT_EQ(undone, EditHistory::kMostSteps);
    EXPECT_FALSE(history.atSaved()) << "the opened state is no longer in the history";
    EXPECT_EQ(history.redo().before.flags, 5U);
}

}  // namespace
