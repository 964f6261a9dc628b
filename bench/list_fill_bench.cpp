// Times filling the editor's material list with 65,535 rows: once as the
// editor does (PacedFill: the window brought up to date as the fill goes,
// so that the rows show as they come), and once inserting the rows alone,
// with the list's redrawing off, which is the fastest insert there is. The
// goal: the first within twice the second. For the record it also times
// the first rows inserted plainly with redrawing on, and with a full update
// before every row. Windows program; run it under Wine with
// bench/list_fill_bench.sh.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <commctrl.h>

#include "core/object.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"

namespace {

constexpr int kRows = 65535;
constexpr std::size_t kSampleRows = 500;
constexpr int kRuns = 3;

double seconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Drains the messages the fill left, so that each run starts alike.
void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

enum class Updates { Paced, EveryRow, RedrawOn, RedrawOff };

double fill(toolkit::Form& form, toolkit::ListView& list, const std::vector<std::string>& rows, std::size_t count,
            Updates updates) {
    list.clear();
    pumpMessages();
    const double start = seconds();
    if (updates == Updates::Paced) {
        toolkit::PacedFill fill(form, list);
        for (std::size_t i = 0; i < count; ++i) {
            fill.step();
            list.addItem(rows[i], -1, 0, 0);
        }
    } else {
        if (updates == Updates::RedrawOff) list.setRedraw(false);
        for (std::size_t i = 0; i < count; ++i) {
            if (updates == Updates::EveryRow) form.update();
            list.addItem(rows[i], -1, 0, 0);
        }
        if (updates == Updates::RedrawOff) list.setRedraw(true);
    }
    const double elapsed = seconds() - start;
    pumpMessages();
    return elapsed;
}

double median(std::array<double, kRuns> times) {
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

}  // namespace

int main() {
    core::Ref<toolkit::Application> application = toolkit::newApplication("list-fill-bench");
    toolkit::Form& form = toolkit::newForm(*application, "list-fill-bench");
    form.setClientSize(868, 630);
    toolkit::ListView& list =
        toolkit::newListView(form, toolkit::ListView::HeaderlessReportView,
                             toolkit::ListView::GridLinesOption | toolkit::ListView::InfoTipsOption, nullptr,
                             nullptr, nullptr);
    list.setPosition(8, 32).setSize(189, 522);
    list.addColumn("", toolkit::ListView::AlignLeft, 166);
    form.showAndBringToFront();
    form.update();
    if (IsWindowVisible(list.createWindow()) == FALSE) {
        std::fprintf(stderr, "The list is not on screen, so nothing would be painted\n");
        return 1;
    }

    std::vector<std::string> rows;
    rows.reserve(kRows);
    for (int n = 1; n <= kRows; ++n) {
        const std::string number = std::to_string(n);
        std::string row = "[";
        row.append(number).append("] ENV.BMP|WOOD").append(number).append(".BMP|");
        rows.push_back(std::move(row));
    }

    std::array<double, kRuns> updating{};
    std::array<double, kRuns> plain{};
    for (int run = 0; run < kRuns; ++run) {
        updating[run] = fill(form, list, rows, rows.size(), Updates::Paced);
        plain[run] = fill(form, list, rows, rows.size(), Updates::RedrawOff);
    }
    const double withUpdates = median(updating);
    const double insertsOnly = median(plain);
    const double redrawing = fill(form, list, rows, kSampleRows, Updates::RedrawOn);
    const double everyRow = fill(form, list, rows, kSampleRows, Updates::EveryRow);
    std::printf("%d rows, median of %d runs; %d rows fit in the list\n", kRows, kRuns,
                static_cast<int>(SendMessageW(list.handle(), LVM_GETCOUNTPERPAGE, 0, 0)));
    std::printf("  the editor's fill (paced updates):      %8.1f ms\n", withUpdates * 1000);
    std::printf("  inserts alone, redrawing off:           %8.1f ms\n", insertsOnly * 1000);
    std::printf("  first %zu rows, inserts with redrawing: %8.1f ms\n", kSampleRows, redrawing * 1000);
    std::printf("  first %zu rows, update before each row: %8.1f ms\n", kSampleRows, everyRow * 1000);
    std::printf("  ratio: %.2f (goal: at most 2.00)\n", withUpdates / insertsOnly);
    return 0;
}
