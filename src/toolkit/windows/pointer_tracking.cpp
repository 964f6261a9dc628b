#include "toolkit/windows/pointer_tracking.h"

#include "toolkit/windows/control.h"

namespace toolkit {

namespace {

using TrackMouseEventFunction = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// _TrackMouseEvent is looked up in comctl32 when first needed; without it
// no leave notification arrives.
TrackMouseEventFunction trackMouseEventFunction() {
    static const TrackMouseEventFunction function = [] {
        HMODULE library = LoadLibraryW(L"comctl32.dll");
        return library == nullptr ? nullptr
                                  : reinterpret_cast<TrackMouseEventFunction>(
                                        reinterpret_cast<void*>(GetProcAddress(library, "_TrackMouseEvent")));
    }();
    return function;
}

}  // namespace

PointerTracking* PointerTracking::over_ = nullptr;

void PointerTracking::update(bool inside) {
    if (inside && !inside_ && over_ != nullptr && over_ != this && !control_.isInside(over_->control_))
        over_->update(false);
    TrackMouseEventFunction track = trackMouseEventFunction();
    if (track != nullptr && (inside || inside_)) {
        // Asked for at every move inside, not only on entering: the system
        // refuses it while it still sees the pointer elsewhere.
        TRACKMOUSEEVENT request{sizeof request, TME_LEAVE | (inside ? 0U : TME_CANCEL), control_.handle(), 0};
        track(&request);
    }
    if (inside == inside_) return;
    inside_ = inside;
    if (inside)
        over_ = this;
    else
        forget();
    control_.invalidate();
    const NotifyEvent& event = inside ? onEnter_ : onLeave_;
    if (event) event(control_);
}

void PointerTracking::forget() {
    if (over_ == this) over_ = nullptr;
}

}  // namespace toolkit
