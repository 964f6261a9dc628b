// The material list: filling it, searching it, refreshing the selected row,
// and the rule that makes the selected row's material current.
#include <windows.h>

#include <commctrl.h>

#include "editor/Unit1.h"

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
    text.append(intToText(number)).append("] ").append(joinedNames);
    return text;
}

void MainWindow::addRow(std::int32_t number, model::Material& material) {
    materialList_->addItem(rowText(number, material.getTextureNames()), -1, 0, reinterpret_cast<LPARAM>(&material));
}

// Panel values not yet written back are dropped: the first row's material
// is shown afresh.
void MainWindow::fillList() {
    shownMaterial_ = nullptr;
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

void MainWindow::search() {
    applyPanel();
    materialList_->clear();
    const std::string text = searchBox_->caption();
    const model::MaterialList& materials = model_.materials();
    for (std::int32_t n = 1; n <= materials.count(); ++n) {
        model::Material& material = *materials.materialAt(n);
        if (model::searchFinds(material, text)) addRow(n, material);
    }
    if (materialList_->itemCount() > 0) materialList_->selectIndex(0);
}

void MainWindow::refreshCurrentRow() {
    const int row = materialList_->selectedIndex();
    if (row < 0 || currentMaterial_ == nullptr) return;
    const auto* material = reinterpret_cast<const model::Material*>(materialList_->itemData(row));
    const char separator = currentMaterial_->separator();
    const std::string joined = panelReflectionName_ + separator + panelDiffuseName_ + separator + panelAlphaName_;
    materialList_->setItemText(row, 0, rowText(model_.materials().numberOf(material), joined));
}

// A row that loses the selection has its material written back from the
// panel; any other change makes the row's material current, and a row that
// becomes selected and focused is shown. The list reports a row losing the
// selection as selected → none on some systems and as selected and focused
// → focused on others, so the test is on the selected bit alone.
void MainWindow::onListItemState(int row, UINT oldState, UINT newState) {
    if ((oldState & LVIS_SELECTED) != 0 && (newState & LVIS_SELECTED) == 0) {
        applyPanel();
        return;
    }
    currentMaterial_ = reinterpret_cast<model::Material*>(materialList_->itemData(row));
    if (currentMaterial_ == nullptr) return;
    if (newState == kSelectedAndFocused) showMaterial(*currentMaterial_);
}

void MainWindow::fitListColumn() {
    materialList_->setIntProperty(kColumnWidthProperty, materialList_->width() - kColumnMargin);
}

}  // namespace editor
