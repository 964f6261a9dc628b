// The material list on the left of the main window and the search below
// the panel. Each row shows a material's number in brackets and its joined
// texture names and carries the material; a search lists the materials
// whose names hold a text. Selecting a row shows its material, and a row
// that loses the selection has the panel written back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

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
    };

    // Makes the list and the search controls in the form.
    MaterialListView(toolkit::Form& form, Events events);

    // Lists every material and selects the first row.
    void fill(const model::MaterialList& materials);
    // Lists the materials whose joined names hold the text and selects the
    // first row; without hits the list is empty.
    void filter(const model::MaterialList& materials, const std::string& text);
    void clear();
    bool hasRows();
    // The row of the material with these names, as the panel holds them.
    void refreshRow(const model::MaterialList& materials, const model::Material& material, const std::string& names);
    // Selects the material's row, listing every material first when a
    // search hides it; the row shows the material's names.
    void select(const model::MaterialList& materials, model::Material& material);

    // The search text, or nothing when it holds a character no name can.
    std::optional<std::string> searchText() const;
    // Gives the search box the keyboard with its text selected.
    void focusSearch();
    // The list's one column spans the list; again whenever the list is resized.
    void fitColumn();
    toolkit::EditBox& searchBox() const { return *searchBox_; }

private:
    void addRow(std::int32_t number, model::Material& material);
    void selectFirstRow();
    void onItemState(int row, UINT oldState, UINT newState);

    toolkit::Form& form_;
    Events events_;
    toolkit::ListView* list_ = nullptr;
    toolkit::EditBox* searchBox_ = nullptr;
};

}  // namespace editor
