// The root object of the toolkit and of the model: its reference count,
// its on-destroy event and the objects it owns; the owning reference and
// the creation of new objects.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace core {

// Frees a toolkit object handed to ToolkitObject::addOwned.
void releaseToolkitObject(void* object);

template <class T>
class Ref;

// The root of every toolkit object and of the model objects.
//
// A new object has a reference count of 0 and belongs to whoever created it.
// addRef adds 2, release subtracts 2 and destroys the object once the count
// goes negative, so the creator's release without any addRef destroys it.
// Destruction runs the on-destroy event once and then frees the owned objects
// in the order they were added.
class ToolkitObject {
public:
    using DestroyHandler = std::function<void(ToolkitObject&)>;
    using FreeRoutine = void (*)(void* object);

    ToolkitObject() = default;
    ToolkitObject(const ToolkitObject&) = delete;
    ToolkitObject& operator=(const ToolkitObject&) = delete;

    // Called by create() right after construction; does nothing in the root.
    virtual void init() {}

    void addRef() { refCount_ += 2; }
    void release();
    std::int32_t refCount() const { return refCount_; }

    void setOnDestroy(DestroyHandler handler) { onDestroy_ = std::move(handler); }

    // Hands `object` to this object, which frees it with `freeRoutine` when
    // it is destroyed. The owned-objects list is created on first use.
    void addOwned(void* object, FreeRoutine freeRoutine);
    // Takes over a toolkit object, to be released with this one.
    template <class T>
    T& own(Ref<T> object);

protected:
    // Destruction is reached through release() only.
    virtual ~ToolkitObject();

private:
    struct OwnedObject {
        void* object;
        FreeRoutine freeRoutine;
    };

    std::int32_t refCount_ = 0;
    DestroyHandler onDestroy_;
    std::unique_ptr<std::vector<OwnedObject>> owned_;
};

// An owning reference to a toolkit object: adopts the creator's reference,
// adds one per copy and releases one when it goes.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* adopted) : object_(adopted) {}
    Ref(const Ref& other) : object_(other.object_) {
        if (object_ != nullptr) object_->addRef();
    }
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    Ref(Ref<U>&& other) noexcept : object_(other.detach()) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Ref() { reset(); }

    void reset() {
        if (object_ != nullptr) std::exchange(object_, nullptr)->release();
    }
    // Gives up the reference without releasing it.
    T* detach() { return std::exchange(object_, nullptr); }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// Makes a new object and runs its initialisation.
template <class T, class... Args>
Ref<T> create(Args&&... args) {
    Ref<T> object(new T(std::forward<Args>(args)...));
    object->init();
    return object;
}

template <class T>
T& ToolkitObject::own(Ref<T> object) {
    T& owned = *object;
    addOwned(object.detach(), releaseToolkitObject);
    return owned;
}

}  // namespace core
