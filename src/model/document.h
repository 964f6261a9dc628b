// The model the editor works on: the open model file, where its materials
// are used (read from its frames on open), the path Save writes to, the
// changes made to its materials since it was opened (undo and
// redo) and whether any of them is unsaved. Every change to a material goes
// through here, so that each is one step of the history.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "model/edit_history.h"
#include "model/material_edit.h"
#include "model/material_usage.h"
#include "model/model_file.h"

namespace model {

class Document {
public:
    // Reading and writing a model call this once per material (the
    // editor keeps its windows painted meanwhile).
    void setProgress(MaterialProgress progress) { progress_ = std::move(progress); }

    // Replaces the model with the file's; Save then writes to that path.
    // False, with the document as it was, when the file is refused.
    bool open(const std::string& path);
    // Writes the model to its path; false when it has none or the file
    // cannot be written (the model then stays unsaved).
    bool save();
    // Writes the model to another path, which Save writes to from now on;
    // when that file cannot be written, Save keeps the path it had.
    bool saveAs(const std::string& path);
    // Lets the model go: no materials, no path, no history.
    void close();

    // Makes the change to the material with this number (from 1) and
    // records it as a step when it changed anything. False when the edit
    // rules refuse it (nothing changes then).
    bool change(std::int32_t number, const MaterialEdit& edit);
    // Gives the material of the last step its state before it (undo) or
    // after it (redo). The material's number, or 0 when there is no step.
    std::int32_t undo();
    std::int32_t redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // Something changed since the model was opened or last saved.
    bool unsaved() const { return !history_.atSaved(); }

    const ModelFile& model() const { return model_; }
    const MaterialList& materials() const { return model_.materials(); }
    // Edits change no frame and no material's number, so this holds until
    // another model is opened.
    const MaterialUsage& usage() const { return usage_; }
    // The material with this number, or nullptr.
    Material* materialAt(std::int32_t number) const { return model_.materials().materialAt(number); }
    const std::string& path() const { return path_; }
    // How many models were opened and let go: a material kept across a
    // dialog is never taken for one of a later model at the same address.
    std::uint64_t generation() const { return generation_; }

private:
    // Writes the model to `path`; what it holds is then saved.
    bool write(const std::string& path);

    ModelFile model_;
    MaterialUsage usage_;
    MaterialProgress progress_;
    std::string path_;
    EditHistory history_;
    std::uint64_t generation_ = 0;
};

}  // namespace model
