#include "editor/model_file_commands.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "core/code_page.h"
#include "editor/texts/interface_texts.h"
#include "toolkit/windows/message_box.h"

namespace editor {

using toolkit::messageBox;

ModelFileCommands::ModelFileCommands(model::Document& document, toolkit::FileDialog& dialog, RecentModels& recent,
                                     Events events)
    : document_(document), dialog_(dialog), recent_(recent), events_(std::move(events)) {}

bool ModelFileCommands::readyToDrop() {
    if (!document_.unsaved()) return true;
    const std::string& path = document_.path();
    const std::string question =
        path.empty() ? std::string(text(TextName::SaveChanges)) : text(TextName::SaveChangesInFile) + path + "?";
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
    dialog_.filter = text(TextName::ModelFileFilter);
    if (dialog_.execute()) load(dialog_.result);
}

void ModelFileCommands::openAt(const std::wstring& path) {
    if (!readyToDrop()) return;
    const std::optional<std::string> programText = toolkit::pathAsProgramText(path);
    if (!programText) {
        messageBox(text(TextName::CantReadFile) + core::fromWide(path), toolkit::kStopMessage);
        return;
    }
    load(*programText);
}

void ModelFileCommands::openRecent(const std::string& path) {
    if (!readyToDrop()) return;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(core::toWide(path)), error)) {
        messageBox(text(TextName::CantReadFile) + path, toolkit::kStopMessage);
        recent_.remove(path);
        events_.recentChanged();
        return;
    }
    load(path);
}

void ModelFileCommands::load(const std::string& path) {
    if (!document_.open(path)) {
        messageBox(text(TextName::CantReadFile) + path, toolkit::kStopMessage);
        return;
    }
    remember();
    events_.opened();
}

bool ModelFileCommands::save() {
    if (document_.path().empty()) return false;
    if (document_.save()) {
        remember();
        return true;
    }
    messageBox(text(TextName::CantWriteFile) + document_.path(), toolkit::kStopMessage);
    return false;
}

bool ModelFileCommands::saveAs() {
    dialog_.result = document_.path();
    dialog_.openDialog = false;
    dialog_.filter = text(TextName::ModelFileFilter);
    if (!dialog_.execute()) return false;
    if (document_.saveAs(dialog_.result)) {
        remember();
        return true;
    }
    messageBox(text(TextName::CantWriteFile) + dialog_.result, toolkit::kStopMessage);
    return false;
}

void ModelFileCommands::remember() {
    recent_.add(document_.path());
    events_.recentChanged();
}

}  // namespace editor
