#include "editor/usage_window.h"

#include <array>

#include "editor/control_ids.h"
#include "editor/side_window.h"
#include "editor/usage_texts.h"

namespace editor {

using namespace toolkit;

namespace {

constexpr std::array<TextName, 3> kColumns{TextName::FrameColumn, TextName::LevelColumn, TextName::FacesColumn};

constexpr int kWidth = 520;
constexpr Color kListBackground = 0xF7F7F7;  // as the material list's
constexpr int kMargin = 12;

}  // namespace

UsageWindow& UsageWindow::build(Application& application, MaterialPanel& panel) {
    core::Ref<UsageWindow> created(new UsageWindow(panel));
    UsageWindow& window = *created;
    window.form_ =
        &window.captions_.add(newSideWindow(application, "", 80, 80, kWidth, 400), TextName::UsageWindowCaption);
    application.own(std::move(created));  // freed after every form

    Form& form = *window.form_;
    window.createControls();
    form.rememberShowState();
    form.setVisible(false);
    panel.onShownChanged([&window] { window.refresh(); });
    window.refresh();
    return window;
}

void UsageWindow::createControls() {
    summary_ = &newLabel(*form_, "");
    summary_->setPosition(kMargin, 12).setSize(kWidth - 2 * kMargin, 18).setFontStyle(Bold).setId(UsageWindowSummaryId);
    list_ = &newListView(*form_, ListView::ReportView, ListView::GridLinesOption, nullptr, nullptr, nullptr);
    list_->setPosition(kMargin, 38).setSize(kWidth - 2 * kMargin, 312).setBackgroundColor(kListBackground);
    list_->setTextBackgroundColor(kListBackground).setId(UsageListId);
    list_->addColumn(text(kColumns[0]), ListView::AlignLeft, 250);
    list_->addColumn(text(kColumns[1]), ListView::AlignLeft, 150);
    list_->addColumn(text(kColumns[2]), ListView::AlignRight, 80);
    list_->setAnchors(true, true, true, true);
    int top = 356;
    for (const TextName noteText : {TextName::LevelsNote, TextName::InstancesNote}) {
        Label& note = captions_.add(newLabel(*form_, ""), noteText);
        note.setPosition(kMargin, top).setSize(kWidth - 2 * kMargin, 17).setFontColor(0x505050);
        note.setAnchors(true, false, true, true);
        top += 18;
    }
}

void UsageWindow::show() {
    refresh();
    form_->setVisible(true);
    SetForegroundWindow(form_->createWindow());
}

void UsageWindow::showTexts() {
    captions_.show();
    for (std::size_t column = 0; column < kColumns.size(); ++column)
        list_->setColumnCaption(static_cast<int>(column), text(kColumns[column]));
    refresh();
}

void UsageWindow::refresh() {
    const std::int32_t number = panel_.shownNumber();
    const model::MaterialUsage& usage = panel_.document().usage();
    summary_->setCaption(number == 0 ? text(TextName::NoMaterial) : usageSummary(usage, number));
    list_->clear();
    for (const model::MaterialUse& use : usage.usesOf(number)) {
        const UseRow row = useRow(usage, use);
        const int index = list_->addItem(row.frame, -1, 0, 0);
        list_->setItemText(index, 1, row.level);
        list_->setItemText(index, 2, row.faces);
    }
}

}  // namespace editor
