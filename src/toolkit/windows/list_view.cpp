// The list view: a native SysListView32 with columns, rows carrying a data
// value, colours, and the item-state event. Columns and rows added before
// the window exists are kept and made with it.
#include "toolkit/windows/list_view.h"

#include <algorithm>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/control.h"

namespace toolkit {

namespace {

constexpr int kDefaultWidth = 200, kDefaultHeight = 150;
constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT, LVS_REPORT | LVS_NOCOLUMNHEADER};
// The state bits the item-state event reports.
constexpr UINT kReportedStates = LVIS_FOCUSED | LVIS_SELECTED;

}  // namespace

ListView::ListView(Control& parent, View view, std::uint32_t options, HIMAGELIST large, HIMAGELIST small,
                   HIMAGELIST state)
    : Control(&parent, WC_LISTVIEWW),
      view_(view >= IconView && view <= HeaderlessReportView ? view : IconView),
      options_(options),
      imageLists_{large, small, state} {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    bounds_.width = kDefaultWidth;
    bounds_.height = kDefaultHeight;
}

DWORD ListView::windowStyle() const {
    DWORD style = Control::windowStyle() | WS_TABSTOP | kViewStyles[view_] | LVS_SHAREIMAGELISTS;
    if ((options_ & HideSelectionOption) == 0) style |= LVS_SHOWSELALWAYS;
    if ((options_ & MultipleSelectionOption) == 0) style |= LVS_SINGLESEL;
    return style;
}

DWORD ListView::windowExStyle() const { return border_ ? WS_EX_CLIENTEDGE : 0; }

void ListView::windowMade() {
    DWORD extended = 0;
    if ((options_ & GridLinesOption) != 0) extended |= LVS_EX_GRIDLINES;
    if ((options_ & InfoTipsOption) != 0) extended |= LVS_EX_INFOTIP;
    SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_INFOTIP, extended);
    constexpr std::array<WPARAM, 3> kImageListKinds{LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE};
    for (std::size_t kind = 0; kind < imageLists_.size(); ++kind)
        if (imageLists_[kind] != nullptr)
            SendMessageW(window_, LVM_SETIMAGELIST, kImageListKinds[kind], reinterpret_cast<LPARAM>(imageLists_[kind]));
    backgroundChanged();
    SendMessageW(window_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(resolveColor(textColor_)));
    SendMessageW(window_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(resolveColor(textBackground_)));
    for (std::size_t column = 0; column < columns_.size(); ++column)
        insertColumn(static_cast<int>(column), columns_[column]);
    for (std::size_t row = 0; row < pendingRows_.size(); ++row) insertRow(static_cast<int>(row), pendingRows_[row]);
    pendingRows_.clear();  // the native list holds them now
}

void ListView::backgroundChanged() {
    if (window_ != nullptr)
        SendMessageW(window_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(resolveColor(backgroundColor())));
}

void ListView::writeIntProperty(UINT message, int value) {
    if (message == LVM_SETCOLUMNWIDTH) {
        setColumnWidth(0, value);
        return;
    }
    Control::writeIntProperty(message, value);
}

ListView& ListView::setTextColor(Color color) {
    textColor_ = color;
    if (window_ != nullptr) {
        SendMessageW(window_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(resolveColor(color)));
        invalidate();
    }
    return *this;
}

ListView& ListView::setTextBackgroundColor(Color color) {
    textBackground_ = color;
    if (window_ != nullptr) {
        SendMessageW(window_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(resolveColor(color)));
        invalidate();
    }
    return *this;
}

ListView& ListView::setRowTextColor(RowTextColor rowTextColor) {
    rowTextColor_ = std::move(rowTextColor);
    invalidate();
    return *this;
}

// --- columns -------------------------------------------------------------------

void ListView::insertColumn(int index, const Column& column) {
    std::wstring caption = core::toWide(column.caption);
    LVCOLUMNW native{};
    native.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    native.fmt = column.alignment;
    native.cx = column.width;
    native.pszText = caption.data();
    SendMessageW(window_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&native));
}

void ListView::setColumnCaption(int column, const std::string& caption) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    columns_[static_cast<std::size_t>(column)].caption = caption;
    if (window_ == nullptr) return;
    std::wstring wide = core::toWide(caption);
    LVCOLUMNW native{};
    native.mask = LVCF_TEXT;
    native.pszText = wide.data();
    SendMessageW(window_, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&native));
}

void ListView::addColumn(const std::string& caption, ColumnAlignment alignment, int width) {
    columns_.push_back({caption, alignment, width});
    if (window_ != nullptr) insertColumn(static_cast<int>(columns_.size()) - 1, columns_.back());
}

void ListView::setColumnWidth(int column, int width) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    columns_[static_cast<std::size_t>(column)].width = width;
    if (window_ != nullptr)
        SendMessageW(window_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

// --- rows ----------------------------------------------------------------------

int ListView::insertRow(int index, const Row& row) {
    std::wstring caption = core::toWide(row.texts.empty() ? std::string() : row.texts.front());
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = caption.data();
    item.iImage = row.imageIndex;
    item.state = row.state;
    item.stateMask = row.state;  // a new row has no other state bit set
    item.lParam = row.data;
    const int made = static_cast<int>(SendMessageW(window_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (made >= 0)
        for (std::size_t column = 1; column < row.texts.size(); ++column)
            setItemText(made, static_cast<int>(column), row.texts[column]);
    return made;
}

ListView::Row* ListView::pendingRow(int index) {
    if (index < 0 || index >= static_cast<int>(pendingRows_.size())) return nullptr;
    return &pendingRows_[static_cast<std::size_t>(index)];
}

void ListView::clear() {
    if (window_ != nullptr)
        SendMessageW(window_, LVM_DELETEALLITEMS, 0, 0);
    else
        pendingRows_.clear();
}

int ListView::addItem(const std::string& caption, int imageIndex, UINT state, LPARAM data) {
    Row row{{caption}, imageIndex, state, data};
    if (window_ != nullptr) return insertRow(itemCount(), row);
    pendingRows_.push_back(std::move(row));
    return static_cast<int>(pendingRows_.size()) - 1;
}

void ListView::setItemText(int index, int column, const std::string& text) {
    if (column < 0) return;
    if (window_ == nullptr) {
        if (Row* row = pendingRow(index)) {
            if (row->texts.size() <= static_cast<std::size_t>(column))
                row->texts.resize(static_cast<std::size_t>(column) + 1);
            row->texts[static_cast<std::size_t>(column)] = text;
        }
        return;
    }
    std::wstring wide = core::toWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(window_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::itemText(int index, int column) {
    if (column < 0) return {};
    if (window_ == nullptr) {
        const Row* row = pendingRow(index);
        if (row == nullptr || static_cast<std::size_t>(column) >= row->texts.size()) return {};
        return row->texts[static_cast<std::size_t>(column)];
    }
    // The list copies what fits; a text that filled the buffer may be longer.
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto copied = static_cast<std::size_t>(
            SendMessageW(window_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size()) {
            buffer.resize(copied);
            return core::fromWide(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

LPARAM ListView::itemData(int index) {
    if (window_ == nullptr) {
        const Row* row = pendingRow(index);
        return row != nullptr ? row->data : 0;
    }
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageW(window_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

int ListView::indexOfData(LPARAM data) {
    if (window_ == nullptr) {
        const auto found = std::ranges::find_if(pendingRows_, [data](const Row& row) { return row.data == data; });
        return found == pendingRows_.end() ? -1 : static_cast<int>(found - pendingRows_.begin());
    }
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(SendMessageW(window_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int ListView::itemCount() {
    if (window_ == nullptr) return static_cast<int>(pendingRows_.size());
    return static_cast<int>(SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::selectedIndex() {
    if (window_ == nullptr) {
        const auto found =
            std::ranges::find_if(pendingRows_, [](const Row& row) { return (row.state & LVIS_SELECTED) != 0; });
        return found == pendingRows_.end() ? -1 : static_cast<int>(found - pendingRows_.begin());
    }
    return static_cast<int>(SendMessageW(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::selectIndex(int index) {
    if (window_ == nullptr) {
        Row* chosen = pendingRow(index);
        for (Row& row : pendingRows_) {
            row.state &= ~LVIS_SELECTED;
            if (chosen != nullptr) row.state &= ~LVIS_FOCUSED;  // one row has the focus
        }
        if (chosen != nullptr) chosen->state |= kReportedStates;
        return;
    }
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (index < 0) return;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SendMessageW(window_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

// --- events --------------------------------------------------------------------

void ListView::reportStateChange(int first, int last, UINT oldState, UINT newState) {
    oldState &= kReportedStates;
    newState &= kReportedStates;
    // Changes of other bits (cut, drop highlight, images) are no concern
    // of the handler.
    if (oldState == newState || !onItemState_) return;
    onItemState_(*this, first, last, oldState, newState);
}

bool ListView::notifyMessage(const NMHDR& header, LRESULT& result) {
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0)
            reportStateChange(change.iItem, change.iItem, change.uOldState, change.uNewState);
    } else if (header.code == LVN_ODSTATECHANGED) {
        const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
        reportStateChange(change.iFrom, change.iTo, change.uOldState, change.uNewState);
    } else if (header.code == NM_CUSTOMDRAW) {
        // The list reads the colours back from the structure it sent.
        return drawRow(reinterpret_cast<NMLVCUSTOMDRAW&>(const_cast<NMHDR&>(header)), result);
    } else {
        return false;
    }
    result = 0;
    return true;
}

bool ListView::drawRow(NMLVCUSTOMDRAW& draw, LRESULT& result) {
    const bool drawsSelection = (options_ & HideSelectionOption) == 0;
    if (!drawsSelection && !rowTextColor_) return false;
    const bool focused = GetFocus() == window_;
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            result = CDRF_NOTIFYITEMDRAW | (drawsSelection && !focused ? CDRF_NOTIFYPOSTPAINT : 0);
            return true;
        case CDDS_ITEMPREPAINT: {
            const auto row = static_cast<WPARAM>(draw.nmcd.dwItemSpec);
            result = CDRF_DODEFAULT;
            if (drawsSelection && (SendMessageW(window_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0) {
                draw.clrText = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
                draw.clrTextBk = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
                draw.nmcd.uItemState &=
                    ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);  // our colours, not the list's own
                result = CDRF_NEWFONT;
            } else if (const std::optional<Color> color =
                           rowTextColor_ ? rowTextColor_(itemData(static_cast<int>(row))) : std::nullopt) {
                draw.clrText = resolveColor(*color);
                result = CDRF_NEWFONT;
            }
            return true;
        }
        case CDDS_POSTPAINT:
            // The button face is as light as many lists' own background: a
            // frame in the button shadow, drawn over the finished rows, shows
            // the selected row there too.
            for (int row = -1; (row = static_cast<int>(SendMessageW(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                                     LVNI_SELECTED))) >= 0;) {
                RECT label{};
                label.left = LVIR_LABEL;
                if (SendMessageW(window_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)))
                    FrameRect(draw.nmcd.hdc, &label, GetSysColorBrush(COLOR_BTNSHADOW));
            }
            result = CDRF_DODEFAULT;
            return true;
        default:
            return false;
    }
}

ListView& newListView(Control& parent, ListView::View view, std::uint32_t options, HIMAGELIST large, HIMAGELIST small,
                      HIMAGELIST state) {
    return *core::create<ListView>(parent, view, options, large, small, state).detach();
}

// --- Paced filling -----------------------------------------------------------

PacedFill::PacedFill(Control& window, Control& filled) : window_(window), filled_(filled) {
    filled_.setRedraw(false);
}

PacedFill::~PacedFill() {
    filled_.setRedraw(true);
    window_.update();
}

void PacedFill::step() {
    if (std::chrono::steady_clock::now() >= nextUpdate_) update();
}

// The pause after an update is at least a frame and at least four times
// what the update took.
void PacedFill::update() {
    const auto start = std::chrono::steady_clock::now();
    filled_.setRedraw(true);
    window_.update();
    filled_.setRedraw(false);
    const auto end = std::chrono::steady_clock::now();
    nextUpdate_ = end + std::max<std::chrono::steady_clock::duration>(kFrame, 4 * (end - start));
}

}  // namespace toolkit
