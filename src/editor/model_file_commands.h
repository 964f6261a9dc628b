// Opening and saving the model the editor works on: the file dialog, the
// question about unsaved changes, the messages of a file that cannot be
// read or written, and the list of the models opened or saved last.
#pragma once

#include <functional>
#include <string>

#include "editor/settings/recent_models.h"
#include "model/document.h"
#include "toolkit/windows/dialogs.h"

namespace editor {

class ModelFileCommands {
public:
    struct Events {
        // A model file is open: what showed the one before goes.
        std::function<void()> opened;
        // The list of recent models changed.
        std::function<void()> recentChanged;
    };

    ModelFileCommands(model::Document& document, toolkit::FileDialog& dialog, RecentModels& recent, Events events);

    // "Открыть..": asks about unsaved changes, then for the file to open.
    void open();
    // The path given at start or dropped onto the window opens as Open
    // opens the file chosen in its dialog.
    void openAt(const std::wstring& path);
    // A recent model opens as Open opens it; one that no longer exists is
    // dropped from the list with the message of a file that cannot be read.
    void openRecent(const std::string& path);
    // Writes the model to its file; true when it was written.
    bool save();
    // Asks for a file name, then writes the model there; true when written.
    // The chosen name is the one Save writes to from now on.
    bool saveAs();
    // Before the open model is dropped (exit, close, open): unsaved changes
    // bring the question whether to save them. True when the caller may go
    // on.
    bool readyToDrop();

private:
    // Opens the model file, which Save then writes to; a refused file brings
    // its message and leaves the open model as it was.
    void load(const std::string& path);
    // The model's file goes first in the list of recent models.
    void remember();

    model::Document& document_;
    toolkit::FileDialog& dialog_;
    RecentModels& recent_;
    Events events_;
};

}  // namespace editor
