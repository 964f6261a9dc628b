#include "editor/model_file_commands.h"

#include <optional>
#include <utility>

#include "core/code_page.h"
#include "toolkit/windows/message_box.h"

namespace editor {

using toolkit::messageBox;

ModelFileCommands::ModelFileCommands(model::Document& document, toolkit::FileDialog& dialog, Opened opened)
    : document_(document), dialog_(dialog), opened_(std::move(opened)) {}

bool ModelFileCommands::readyToDrop() {
    if (!document_.unsaved()) return true;
    const std::string& path = document_.path();
    const std::string question =
        path.empty() ? std::string("Сохранить изменения?") : "Сохранить изменения в файле " + path + "?";
    switch (messageBox(question, toolkit::kQuestionMessage)) {
        case IDYES:
            return path.empty() ? saveAs() : save();
        case IDNO:
            return true;
        default:
            return false;
    }
}

void ModelFileCommands::open() {
    if (!readyToDrop()) return;
    dialog_.result = document_.path();
    dialog_.openDialog = true;
    if (dialog_.execute()) load(dialog_.result);
}

void ModelFileCommands::openAt(const std::wstring& path) {
    if (!readyToDrop()) return;
    const std::optional<std::string> text = toolkit::pathAsProgramText(path);
    if (!text) {
        messageBox("Can't read file: " + core::fromWide(path), toolkit::kStopMessage);
        return;
    }
    load(*text);
}

void ModelFileCommands::load(const std::string& path) {
    if (!document_.open(path)) {
        messageBox("Can't read file: " + path, toolkit::kStopMessage);
        return;
    }
    opened_();
}

bool ModelFileCommands::save() {
    if (document_.path().empty()) return false;
    if (document_.save()) return true;
    messageBox("Can't write file: " + document_.path(), toolkit::kStopMessage);
    return false;
}

bool ModelFileCommands::saveAs() {
    dialog_.result = document_.path();
    dialog_.openDialog = false;
    if (!dialog_.execute()) return false;
    if (document_.saveAs(dialog_.result)) return true;
    messageBox("Can't write file: " + document_.path(), toolkit::kStopMessage);
    return false;
}

}  // namespace editor
