// The material list on the left of the main window and the search below
// the panel. Each row shows a material's number in brackets and its joined
// texture names and carries the material; a material no frame uses shows in
// grey. A search lists the materials whose names hold a text, or those
// used by the frames whose names hold it. Selecting a row shows its
// material, and a row that loses the selection has the panel written back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>

#include "editor/status_hints.h"
#include "editor/translated_captions.h"
#include "model/material_list.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

class MaterialListView {
public:
    struct Events {
        std::function<void(model::Material& material)> show;  // a row became selected and focused
        std::function<void()> leave;                          // the selected row lost the selection
        std::function<void()> search;                         // "Найти", or Enter in the search box
        std::function<void()> showAll;                        // "Показать все"
        std::function<bool(std::int32_t number)> unused;      // no frame uses the material
        StatusText statusText;                                // for the hints
    };
    // Which of a list's materials a search lists.
    using Matches = std::function<bool(std::int32_t number, const model::Material& material)>;

    // Makes the list and the search controls in the form.
    MaterialListView(toolkit::Form& form, Events events);

    // Lists every material and selects the first row.
    void fill(const model::MaterialList& materials);
    // Lists the materials that match and selects the first row; without
    // hits the list is empty.
    void filter(const model::MaterialList& materials, const Matches& matches);
    void clear();
    bool hasRows();
    // The row of the material with these names, as the panel holds them.
    void refreshRow(const model::MaterialList& materials, const model::Material& material, const std::string& names);
    // Selects the material's row, listing every material first when a
    // search hides it; the row shows the material's names.
    void select(const model::MaterialList& materials, model::Material& material);

    // The search text, or nothing when it holds a character no name can.
    std::optional<std::string> searchText() const;
    // The search is by frame name rather than by texture name.
    bool searchesFrames() const;
    // Gives the search box the keyboard with its text selected.
    void focusSearch();
    // The list's one column spans the list; again whenever the list is resized.
    void fitColumn();
    toolkit::EditBox& searchBox() const { return *searchBox_; }
    // The texts show in the language chosen now.
    void showTexts();

private:
    void addRow(std::int32_t number, model::Material& material);
    void selectFirstRow();
    void onItemState(int row, UINT oldState, UINT newState);
    void clearRows();
    // What the search looks for, by texture name or by frame name.
    void showSearchCaption();

    toolkit::Form& form_;
    Events events_;
    TranslatedCaptions captions_;
    toolkit::ListView* list_ = nullptr;
    toolkit::EditBox* searchBox_ = nullptr;
    toolkit::Label* searchCaption_ = nullptr;
    toolkit::GradientCheckBox* frameSearchBox_ = nullptr;
    std::unordered_set<LPARAM> unusedRows_;  // the data of the rows shown in grey
};

}  // namespace editor
