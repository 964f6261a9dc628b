// A form with each kind of control of the window toolkit and Russian
// captions everywhere: a label, an edit box, a list view with a few rows,
// the main menu and the status bar. Meant to be looked at in a screenshot
// (tools/screenshot.sh), to see that the texts read correctly.
#include <windows.h>

#include <string>

#include "core/object.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"
#include "toolkit/windows/main_menu.h"
#include "toolkit/windows/plain_controls.h"
#include "toolkit/windows/status_bar.h"

using namespace toolkit;

namespace {

const std::string kMenuTemplate[] = {
    "Файл", "(", "Открыть модель...", "Сохранить", "-", "Выход", ")",
    "Вид", "(", "+Окно просмотра", "-Поверх всех окон", ")",
    "Справка", "(", "О программе", ")",
};

struct Row {
    const char* material;
    const char* texture;
    const char* opacity;
};

const Row kRows[] = {
    {"Кирпичная стена", "КИРПИЧ_СТАРЫЙ.BMP", "100"},
    {"Стекло витрины", "СТЕКЛО.BMP", "35"},
    {"Асфальт мокрый", "АСФАЛЬТ_02.BMP", "100"},
    {"Листва деревьев", "ЛИСТВА.BMP", "80"},
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    core::Ref<Application> application = newApplication("Skirvane");
    Form& form = newForm(*application, "Skirvane: проверка элементов");
    form.setPosition(60, 40);
    form.setClientSize(560, 380);
    newMainMenu(form, kMenuTemplate, static_cast<int>(std::size(kMenuTemplate)) - 1, [](MainMenu&, int) {});

    newLabel(form, "Поиск материала по имени изображения:").setPosition(12, 12).setSize(330, 22);
    EditBox& search = newEditBox(form, UpperCase);
    search.setPosition(12, 36).setSize(260, 22).setBackgroundColor(kSystemColor | COLOR_WINDOW);
    search.setCaption("ЁЛКА_ЗИМНЯЯ.BMP");
    newLabel(form, "Список материалов").setPosition(12, 70).setSize(200, 22).setFontStyle(Bold);

    ListView& materials = newListView(form, ListView::ReportView, ListView::GridLinesOption, nullptr, nullptr, nullptr);
    materials.setPosition(12, 94).setSize(536, 240).setAnchors(true, true, true, true);
    materials.addColumn("Материал", ListView::AlignLeft, 190);
    materials.addColumn("Текстура", ListView::AlignLeft, 220);
    materials.addColumn("Прозрачность", ListView::AlignRight, 110);
    for (const Row& row : kRows) {
        const int index = materials.addItem(row.material, -1, 0, 0);
        materials.setItemText(index, 1, row.texture);
        materials.setItemText(index, 2, row.opacity);
    }
    materials.selectIndex(1);

    setStatusText(form, StatusBar::kSimplePart, "Готово: открыта модель «Улица», четыре материала");
    application->run();
    return 0;
}
