#include "model/document.h"

namespace model {

bool Document::open(const std::string& path) {
    if (!model_.load(path, ModelFile::WholeFile, progress_)) return false;
    path_ = path;
    usage_ = MaterialUsage::of(model_);
    history_.clear();
    ++generation_;
    return true;
}

bool Document::save() { return !path_.empty() && write(path_); }

bool Document::saveAs(const std::string& path) {
    if (!write(path)) return false;
    path_ = path;
    return true;
}

bool Document::write(const std::string& path) {
    if (!model_.save(path, progress_)) return false;
    history_.markSaved();
    return true;
}

void Document::close() {
    model_.clear();
    usage_ = {};
    path_.clear();
    history_.clear();
    ++generation_;
}

bool Document::change(std::int32_t number, const MaterialEdit& edit) {
    Material* material = materialAt(number);
    if (material == nullptr) return false;
    MaterialState before = material->state();
    if (!applyEdit(*material, edit)) return false;
    MaterialState after = material->state();
    if (!(after == before)) history_.record(number, std::move(before), std::move(after));
    return true;
}

std::int32_t Document::undo() {
    if (!history_.canUndo()) return 0;
    const EditHistory::Step& step = history_.undo();
    materialAt(step.number)->setState(step.before);
    return step.number;
}

std::int32_t Document::redo() {
    if (!history_.canRedo()) return 0;
    const EditHistory::Step& step = history_.redo();
    materialAt(step.number)->setState(step.after);
    return step.number;
}

}  // namespace model
