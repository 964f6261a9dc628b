#include "editor/material_list_view.h"

#include <windows.h>

#include <commctrl.h>

#include "core/text.h"
#include "editor/control_ids.h"
#include "editor/presets.h"

namespace editor {

using namespace toolkit;

namespace {

// The list's one column spans the list but for this many pixels.
constexpr int kColumnMargin = 23;
// The list view's integer property for the width of its column.
constexpr std::uint32_t kColumnWidthProperty = 0x101D;
constexpr UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;
// The text of a material no frame uses.
constexpr Color kUnusedRowColor = 0x909090;

// A row's text: the material's number in brackets and its joined names.
std::string rowText(std::int32_t number, const std::string& joinedNames) {
    std::string text = "[";
    text.append(core::intToText(number)).append("] ").append(joinedNames);
    return text;
}

LPARAM dataOf(const model::Material& material) { return reinterpret_cast<LPARAM>(&material); }

}  // namespace

MaterialListView::MaterialListView(Form& form, Events events) : form_(form), events_(std::move(events)) {
    GradientPanel& listPanel = newGradientPanel(form);
    listPanel.setPosition(8, 8).setSize(209, 594);
    applyGroupPanelPreset(listPanel);
    listPanel.setStartColor(NormalLook, 0xDBDBDB).setEndColor(NormalLook, 0xC5C5C5);
    listPanel.setShadowColor(NormalLook, 0xC0C0C0).setGradientStyle(NormalLook, 3);
    listPanel.setStartColor(DisabledLook, 0xC0C0C0).setEndColor(DisabledLook, 0xFFFFFF);
    listPanel.setShadowColor(DisabledLook, 0xFFFFFF).setGradientStyle(DisabledLook, 1);
    listPanel.setCornerWidth(AllLooks, 0).setCornerHeight(AllLooks, 0);
    listPanel.setAnchors(true, true, true, true);

    Label& listLabel = captions_.add(newLabel(listPanel, ""), TextName::MaterialListTitle);
    listLabel.setPosition(8, 5).setSize(165, 17).setFontStyle(Bold).setTransparent(true);

    list_ = &newListView(listPanel, ListView::HeaderlessReportView,
                         ListView::GridLinesOption | ListView::InfoTipsOption, nullptr, nullptr, nullptr);
    list_->setPosition(8, 32).setSize(189, 522).setBackgroundColor(0xF7F7F7).setId(MaterialListId);
    list_->setTextColor(0x000000).setTextBackgroundColor(0xF7F7F7);
    list_->addColumn("", ListView::AlignLeft, 50);
    list_->setOnResize([this](Control&) { fitColumn(); });
    list_->setOnItemState(
        [this](Control&, int, int last, UINT oldState, UINT newState) { onItemState(last, oldState, newState); });
    list_->setAnchors(true, true, true, true);
    list_->setRowTextColor([this](LPARAM data) {
        return unusedRows_.contains(data) ? std::optional<Color>(kUnusedRowColor) : std::nullopt;
    });

    GradientButton& showAll = captions_.add(newGradientButton(listPanel, ""), TextName::ShowAll);
    showAll.setPosition(8, 561).setSize(190, 25).setId(ShowAllButtonId);
    applyPushButtonPreset(showAll, 0x00FF00);
    showAll.setOnClick([this](Control&) { events_.showAll(); });
    showAll.setAnchors(true, false, true, true);

    GradientPanel& searchPanel = newGradientPanel(form);
    searchPanel.setPosition(224, 525).setSize(637, 77);
    applyShadedGroupPanelPreset(searchPanel, 0xC8C8C8, 0xE4E4E4);
    searchPanel.setAnchors(false, false, true, true);
    searchCaption_ = &newTransparentLabel(searchPanel, text(TextName::SearchByName), 8, 10, 617, 17);
    GradientPanel& searchFrame = newEditFrame(searchPanel, 24, 32, 193, 24, EditFrameVariant::Full);
    searchBox_ = &newEmbeddedEdit(searchFrame, UpperCase);
    searchBox_->setBackgroundColor(kEmbeddedEditBackground);
    searchBox_->setId(SearchBoxId);

    GradientButton& find = captions_.add(newGradientButton(searchPanel, ""), TextName::Find);
    find.setPosition(224, 31).setSize(129, 25).setFontHeight(14).setId(FindButtonId);
    applyPushButtonPreset(find, 0x00FFFF);
    find.setOnClick([this](Control&) { events_.search(); });
    find.setAnchors(true, false, false, true);

    frameSearchBox_ = &captions_.add(newGradientCheckBox(searchPanel, ""), TextName::FrameSearchBox);
    frameSearchBox_->setPosition(368, 33).setSize(200, 20).setFontHeight(14);
    applyCheckBoxPreset(*frameSearchBox_, CheckBoxVariant::Small);
    frameSearchBox_->setId(FrameSearchBoxId);
    frameSearchBox_->setOnClick([this](Control&) { showSearchCaption(); });
    showHintWhileOver(*frameSearchBox_, TextName::FrameSearchHint, events_.statusText);
}

void MaterialListView::showTexts() {
    captions_.show();
    showSearchCaption();
}

void MaterialListView::showSearchCaption() {
    searchCaption_->setCaption(text(searchesFrames() ? TextName::SearchByFrame : TextName::SearchByName));
}

void MaterialListView::addRow(std::int32_t number, model::Material& material) {
    list_->addItem(rowText(number, material.getTextureNames()), -1, 0, dataOf(material));
    if (events_.unused(number)) unusedRows_.insert(dataOf(material));
}

void MaterialListView::clearRows() {
    list_->clear();
    unusedRows_.clear();
}

void MaterialListView::selectFirstRow() {
    if (list_->itemCount() > 0) list_->selectIndex(0);
}

void MaterialListView::fill(const model::MaterialList& materials) {
    clearRows();
    {
        PacedFill fill(form_, *list_);  // a long list shows its rows as they come
        for (std::int32_t n = 1; n <= materials.count(); ++n) {
            fill.step();
            addRow(n, *materials.materialAt(n));
        }
    }
    selectFirstRow();
}

void MaterialListView::filter(const model::MaterialList& materials, const Matches& matches) {
    clearRows();
    for (std::int32_t n = 1; n <= materials.count(); ++n) {
        model::Material& material = *materials.materialAt(n);
        if (matches(n, material)) addRow(n, material);
    }
    selectFirstRow();
}

void MaterialListView::clear() { clearRows(); }

bool MaterialListView::hasRows() { return list_->itemCount() > 0; }

// Also while no row is selected: a click below the last row takes the
// selection away, and the panel still shows the material.
void MaterialListView::refreshRow(const model::MaterialList& materials, const model::Material& material,
                                  const std::string& names) {
    const int row = list_->indexOfData(dataOf(material));
    if (row >= 0)
        list_->setItemText(row, 0, rowText(materials.numberOf(&material), names));  // else a search left it out
}

void MaterialListView::select(const model::MaterialList& materials, model::Material& material) {
    if (list_->indexOfData(dataOf(material)) < 0) fill(materials);  // a search hides it
    const int row = list_->indexOfData(dataOf(material));
    list_->setItemText(row, 0, rowText(materials.numberOf(&material), material.getTextureNames()));
    list_->selectIndex(row);
}

std::optional<std::string> MaterialListView::searchText() const { return searchBox_->exactCaption(); }

bool MaterialListView::searchesFrames() const { return frameSearchBox_->checked(); }

void MaterialListView::focusSearch() {
    SetFocus(searchBox_->handle());
    SendMessageW(searchBox_->handle(), EM_SETSEL, 0, -1);
}

// A row that loses the selection has the panel written back into the
// material it shows, and a row that becomes selected and focused is shown.
// The list reports a row losing the selection as selected → none on some
// systems and as selected and focused → focused on others, so the test is
// on the selected bit alone. A change of the focus alone changes nothing:
// the panel goes on showing, and writing back into, its material.
void MaterialListView::onItemState(int row, UINT oldState, UINT newState) {
    if ((oldState & LVIS_SELECTED) != 0 && (newState & LVIS_SELECTED) == 0) {
        events_.leave();
        return;
    }
    if (newState != kSelectedAndFocused) return;
    if (auto* material = reinterpret_cast<model::Material*>(list_->itemData(row))) events_.show(*material);
}

void MaterialListView::fitColumn() { list_->setIntProperty(kColumnWidthProperty, list_->width() - kColumnMargin); }

}  // namespace editor
