// The material list: filling it, searching it, refreshing the selected row,
// and the rule that makes the selected row's material current.
#include <windows.h>

#include <commctrl.h>

#include "core/text.h"
#include "editor/main_window.h"
#include "toolkit/windows/list_view.h"
#include "toolkit/windows/message_box.h"

namespace editor {

using namespace toolkit;

namespace {
// The list's one column spans the list but for this many pixels.
constexpr int kColumnMargin = 23;
// The list view's integer property for the width of its column.
constexpr std::uint32_t kColumnWidthProperty = 0x101D;
constexpr UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;
}  // namespace

std::string MainWindow::rowText(std::int32_t number, const std::string& joinedNames) {
    std::string text = "[";
    text.append(core::intToText(number)).append("] ").append(joinedNames);
    return text;
}

void MainWindow::addRow(std::int32_t number, model::Material& material) {
    materialList_->addItem(rowText(number, material.getTextureNames()), -1, 0, reinterpret_cast<LPARAM>(&material));
}

// Showing the first row's material writes the panel back first.
void MainWindow::fillList() {
    materialList_->clear();
    const model::MaterialList& materials = model_.materials();
    {
        PacedFill fill(*form_, *materialList_);  // a long list shows its rows as they come
        for (std::int32_t n = 1; n <= materials.count(); ++n) {
            fill.step();
            addRow(n, *materials.materialAt(n));
        }
    }
    if (materials.count() > 0) materialList_->selectIndex(0);
}

void MainWindow::showAll() {
    applyPanel();
    fillList();
}

// A text with a character no name can hold is refused, not searched for
// as a look-alike.
void MainWindow::search() {
    const std::optional<std::string> text = searchBox_->exactCaption();
    if (!text) {
        messageBox(kNameNotInCodePage, kNoticeMessage);
        return;
    }
    applyPanel();
    materialList_->clear();
    const model::MaterialList& materials = model_.materials();
    for (std::int32_t n = 1; n <= materials.count(); ++n) {
        model::Material& material = *materials.materialAt(n);
        if (model::searchFinds(material, *text)) addRow(n, material);
    }
    if (materialList_->itemCount() > 0) materialList_->selectIndex(0);
}

// The row of the shown material, also while no row is selected (a click
// below the last row takes the selection away, and the panel still shows
// the material).
void MainWindow::refreshShownRow() {
    if (currentMaterial_ == nullptr) return;
    const int row = materialList_->indexOfData(reinterpret_cast<LPARAM>(currentMaterial_));
    if (row < 0) return;  // a search left it out
    const std::string joined = model::Material::joinTextureNames(panelReflectionName_, panelDiffuseName_,
                                                                 panelAlphaName_, currentMaterial_->separator());
    materialList_->setItemText(row, 0, rowText(model_.materials().numberOf(currentMaterial_), joined));
}

// A row that loses the selection has the panel written back into the
// material it shows, and a row that becomes selected and focused is shown.
// The list reports a row losing the selection as selected → none on some
// systems and as selected and focused → focused on others, so the test is
// on the selected bit alone. A change of the focus alone changes nothing:
// the panel goes on showing, and writing back into, its material.
void MainWindow::onListItemState(int row, UINT oldState, UINT newState) {
    if ((oldState & LVIS_SELECTED) != 0 && (newState & LVIS_SELECTED) == 0) {
        applyPanel();
        return;
    }
    if (newState != kSelectedAndFocused) return;
    if (auto* material = reinterpret_cast<model::Material*>(materialList_->itemData(row))) showMaterial(*material);
}

// Selecting the row shows the material; the panel written back on the way
// holds no change, since undo and redo write it back before they start.
void MainWindow::restoreMaterial(std::int32_t number, const model::MaterialState& state) {
    model::Material* material = model_.materials().materialAt(number);
    if (material == nullptr) return;
    material->setState(state);
    updateUndoItems();
    const auto data = reinterpret_cast<LPARAM>(material);
    if (materialList_->indexOfData(data) < 0) fillList();  // a search hides it
    const int row = materialList_->indexOfData(data);
    materialList_->setItemText(row, 0, rowText(number, material->getTextureNames()));
    materialList_->selectIndex(row);
}

void MainWindow::fitListColumn() {
    materialList_->setIntProperty(kColumnWidthProperty, materialList_->width() - kColumnMargin);
}

}  // namespace editor
