// What the editor must do with a user's actions, worked out from what each
// action means to the user and not by asking the program: the panel's
// values (the bar positions, the boxes' rules, the names as the name boxes
// take them), what a write-back changes in the material, the list's rows,
// the notices that come, the undo history and the bytes a save writes.
// Materials are held as the records a model file holds, and every rule is
// done here again in the format's terms, so that the program's saved file
// can be compared with an independent expectation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model_bytes.h"
#include "user_actions.h"

namespace test_support {

// A notice or question an action brings up.
enum class Notice {
    None,
    NameRefused,           // too long for a material, or holding "|"
    AlphaNameNotStored,    // an alpha name without a diffuse name, or with bit 0x01000000
    AlphaNameWouldVanish,  // the diffuse name emptied under an alpha name
    FramesRefused,         // a frame count outside 2..255
    NotAnimatable,         // an animated diffuse name without "00" before its extension
    SaveQuestion,          // unsaved changes before closing
};

// What a write-back changes in the shown material: what differs between the
// panel as it showed the material and the panel now. Absent parts keep
// their stored values.
struct PanelChange {
    std::array<std::array<std::optional<float>, 3>, 3> colours;  // ambient, diffuse, emission
    std::optional<float> reflectionDensity;
    std::optional<float> density;
    std::array<std::optional<std::string>, 3> names;  // reflection, diffuse, alpha
    std::uint32_t flagsToSet = 0;
    std::uint32_t flagsToClear = 0;
    struct Animation {
        std::uint8_t frames;
        std::uint32_t delay;
    };
    std::optional<std::optional<Animation>> animation;  // set: animate so, or (empty) no animation

    bool empty() const;
};

class ExpectedEditor {
public:
    // The model just opened: every row listed, the first one shown.
    explicit ExpectedEditor(ModelBytes model);

    // What one action did; the change a write-back made, if it made one.
    struct Outcome {
        Notice notice = Notice::None;
        std::optional<std::size_t> changedMaterial;  // index
        PanelChange change;
    };
    Outcome perform(const UserAction& action);

    const ModelBytes& model() const { return model_; }
    // The file a save writes now: the materials as they are, bytes 6..13
    // written as 0xFF.
    std::string savedFile() const;

    // The list: each row's material index, its text, the selected row (-1
    // for none) and the material the panel shows (and writes back into).
    const std::vector<std::size_t>& rows() const { return rows_; }
    std::vector<std::string> rowTexts() const;
    int selectedRow() const { return selectedRow_; }
    std::size_t shownMaterial() const { return shown_; }

    int barPosition(int bar) const { return panel_.positions[static_cast<std::size_t>(bar)]; }
    // Whether a flag box (in the order of the material's flag table) is checked.
    bool flagBoxChecked(int box) const;
    bool animationChecked() const { return panel_.animated; }
    // The frame-count and delay boxes take typing.
    bool animationBoxesEnabled() const { return animationBoxesEnabled_; }
    std::uint8_t panelFrames() const { return panel_.frames; }
    std::uint32_t panelDelay() const { return panel_.delay; }
    // The panel's working copy of a texture name (0 reflection, 1 diffuse, 2 alpha).
    const std::string& panelName(int kind) const { return panel_.names[static_cast<std::size_t>(kind)]; }

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    std::size_t stepsDone() const { return done_; }
    // How many of the oldest steps the history let go.
    std::size_t droppedSteps() const { return droppedSteps_; }
    // Whether closing now asks about unsaved changes: the panel is written
    // back first, and what it holds counts.
    bool closingAsks() const;

    // The steps the history keeps, as the program keeps them.
    static constexpr std::size_t kMostSteps = 1000;

private:
    // The panel in the user's terms.
    struct Panel {
        std::array<int, kBars> positions{};
        std::array<std::string, 3> names;
        std::uint32_t editorFlags = 0;
        bool animated = false;
        std::uint8_t frames = 0;
        std::uint32_t delay = 0;
        bool operator==(const Panel&) const = default;
    };
    struct Step {
        std::size_t material;
        RecordBytes before;
        RecordBytes after;
    };

    void show(std::size_t material);
    // What the panel holds that the shown material does not.
    PanelChange panelChange() const;
    // Writes the panel into the shown material; the change, if any.
    std::optional<PanelChange> writeBack();
    void recordStep(std::size_t material, const RecordBytes& before, const RecordBytes& after);
    void listAll();
    void selectRow(int row);
    void restore(std::size_t material, const RecordBytes& state);
    Notice enterName(int kind, const std::string& typed);
    Notice checkAnimation();
    void toggleFlag(int box);
    Notice enterFrames(const std::string& text);
    std::string rowText(std::size_t material, const std::array<std::string, 3>& names) const;

    ModelBytes model_;  // the materials as the program holds them now
    std::vector<std::size_t> rows_;
    std::vector<std::string> rowTexts_;  // by material: what its row shows when listed
    int selectedRow_ = -1;
    std::size_t shown_ = 0;
    Panel shownPanel_;  // as shown or last written back
    Panel panel_;       // now
    bool animationBoxesEnabled_ = false;
    std::vector<Step> steps_;
    std::size_t done_ = 0;
    std::size_t droppedSteps_ = 0;
    std::optional<std::size_t> saved_ = 0;
};

// Whether two records hold the same values, floats compared by their bits.
bool sameRecord(const RecordBytes& a, const RecordBytes& b);

}  // namespace test_support
