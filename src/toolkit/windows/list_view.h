// The list view (the common control in its report and other views), and
// the paced filling of a long list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/windows/control.h"

namespace toolkit {

// first and last index of the rows whose state changed, their old and new
// state bits: only LVIS_FOCUSED (1) and LVIS_SELECTED (2) are passed on,
// and a change of other bits alone is not reported. Moving the selection
// from row A to row B (by the program, a click or an arrow key) reports
// A 3 -> 1, then A 1 -> 0, then B 0 -> 3; clearing it reports A 3 -> 1
// and A keeps the focus; removing every row reports nothing.
using ItemStateEvent = std::function<void(Control& sender, int first, int last, UINT oldState, UINT newState)>;

// The text colour of a row that is not selected, by the data it carries;
// nothing for the list's own colour.
using RowTextColor = std::function<std::optional<Color>(LPARAM data)>;

class ListView : public Control {
public:
    // Views: 0 icon, 1 small icon, 2 list, 3 report, 4 report without
    // column header.
    enum View : int { IconView = 0, SmallIconView = 1, ListOnlyView = 2, ReportView = 3, HeaderlessReportView = 4 };
    // Option bits: 7 hide the selection without the focus, 8 several rows
    // may be selected, 11 grid lines, 21 info tips.
    enum Option : std::uint32_t {
        HideSelectionOption = 1U << 7,
        MultipleSelectionOption = 1U << 8,
        GridLinesOption = 1U << 11,
        InfoTipsOption = 1U << 21,
    };
    enum ColumnAlignment : int { AlignLeft = LVCFMT_LEFT, AlignRight = LVCFMT_RIGHT, AlignCentre = LVCFMT_CENTER };

    ListView(Control& parent, View view, std::uint32_t options, HIMAGELIST large, HIMAGELIST small, HIMAGELIST state);

    void clear();
    void addColumn(const std::string& caption, ColumnAlignment alignment, int width);
    void setColumnWidth(int column, int width);
    void setColumnCaption(int column, const std::string& caption);
    // Appends the row and gives its index.
    int addItem(const std::string& caption, int imageIndex, UINT state, LPARAM data);
    void setItemText(int index, int column, const std::string& text);
    std::string itemText(int index, int column);
    LPARAM itemData(int index);
    // The first row that carries the data, or -1.
    int indexOfData(LPARAM data);
    int itemCount();
    // The first selected row, or -1.
    int selectedIndex();
    // Clears every selection, then selects and focuses the row (-1 only
    // clears).
    void selectIndex(int index);
    ListView& setTextColor(Color color);
    ListView& setTextBackgroundColor(Color color);
    ListView& setOnItemState(ItemStateEvent handler) {
        onItemState_ = std::move(handler);
        return *this;
    }
    // Rows are asked for their colour as they are drawn.
    ListView& setRowTextColor(RowTextColor rowTextColor);

protected:
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override;
    void windowMade() override;
    void backgroundChanged() override;
    // The column-width property (LVM_SETCOLUMNWIDTH) is for column 0.
    void writeIntProperty(UINT message, int value) override;
    bool notifyMessage(const NMHDR& header, LRESULT& result) override;
    // Paints a selected row in the highlight colours while the list has the
    // keyboard and in the button face without it, which showing the
    // selection always means (not every system draws the second), framed
    // then in the button shadow; the other rows in their own text colour.
    bool drawRow(NMLVCUSTOMDRAW& draw, LRESULT& result);

private:
    struct Column {
        std::string caption;
        ColumnAlignment alignment;
        int width;
    };
    // A row added before the window existed.
    struct Row {
        std::vector<std::string> texts;  // one per column
        int imageIndex;
        UINT state;
        LPARAM data;
    };

    void insertColumn(int index, const Column& column);
    int insertRow(int index, const Row& row);
    Row* pendingRow(int index);
    void reportStateChange(int first, int last, UINT oldState, UINT newState);

    View view_;
    std::uint32_t options_;
    std::array<HIMAGELIST, 3> imageLists_;
    Color textColor_ = kWindowTextColor;
    Color textBackground_ = kSystemColor | COLOR_WINDOW;
    ItemStateEvent onItemState_;
    RowTextColor rowTextColor_;
    std::vector<Column> columns_;  // every column added, made with the window
    std::vector<Row> pendingRows_;
};

ListView& newListView(Control& parent, ListView::View view, std::uint32_t options, HIMAGELIST large,
                      HIMAGELIST small, HIMAGELIST state);

// Adds many items to a control while showing them as they come: the
// control does not redraw after each item; instead the window it lies in
// is brought up to date at most once a frame, and never so often that
// painting takes more than a fifth of the time. Redrawing is back on, and
// the window up to date, when the object ends.
class PacedFill {
public:
    static constexpr std::chrono::milliseconds kFrame{16};

    PacedFill(Control& window, Control& filled);
    ~PacedFill();
    PacedFill(const PacedFill&) = delete;
    PacedFill& operator=(const PacedFill&) = delete;

    // Call before each item: updates on the first call and whenever the
    // pause since the last update has passed.
    void step();

private:
    void update();

    Control& window_;
    Control& filled_;
    std::chrono::steady_clock::time_point nextUpdate_{};
};

}  // namespace toolkit
