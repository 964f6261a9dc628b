#include "core/object.h"

namespace core {

void ToolkitObject::release() {
    refCount_ -= 2;
    if (refCount_ < 0) delete this;
}

void ToolkitObject::addOwned(void* object, FreeRoutine freeRoutine) {
    if (!owned_) owned_ = std::make_unique<std::vector<OwnedObject>>();
    owned_->push_back({object, freeRoutine});
}

ToolkitObject::~ToolkitObject() {
    if (onDestroy_) std::exchange(onDestroy_, nullptr)(*this);
    if (owned_) {
        for (const OwnedObject& entry : *owned_) entry.freeRoutine(entry.object);
        owned_.reset();
    }
}

void releaseToolkitObject(void* object) {
    if (object != nullptr) static_cast<ToolkitObject*>(object)->release();
}

}  // namespace core
