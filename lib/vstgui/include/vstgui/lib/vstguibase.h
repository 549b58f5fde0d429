// Reference counting, messages and the few basic types every toolkit class uses.
#pragma once
#include <cstdint>
#include <string>
#include <utility>

namespace VSTGUI {

using IdStringPtr = const char*;
using UTF8StringPtr = const char*;
using UTF8String = std::string;
using CCoord = double;

enum CMessageResult { kMessageUnknown = 0, kMessageNotified = 1 };

// Intrusive reference count: a new object holds one reference, forget() drops one
// and deletes the object when none is left.
class IReference {
public:
    virtual ~IReference() = default;
    virtual void remember() = 0;
    virtual void forget() = 0;
};

class CBaseObject : public IReference {
public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;
    ~CBaseObject() override = default;

    void remember() override { ++refCount; }
    void forget() override {
        if (--refCount == 0)
            delete this;
    }
    int32_t getNbReference() const { return refCount; }

    virtual CMessageResult notify(CBaseObject* /*sender*/, IdStringPtr /*message*/) {
        return kMessageUnknown;
    }

private:
    int32_t refCount{1};
};

// Holds one reference for as long as it lives.
template <class T>
class SharedPointer {
public:
    SharedPointer() = default;
    SharedPointer(T* p, bool remember = true) : ptr(p) {
        if (ptr && remember)
            ptr->remember();
    }
    SharedPointer(const SharedPointer& o) : SharedPointer(o.ptr) {}
    SharedPointer(SharedPointer&& o) noexcept : ptr(o.ptr) { o.ptr = nullptr; }
    ~SharedPointer() { reset(); }
    SharedPointer& operator=(const SharedPointer& o) {
        SharedPointer tmp(o);
        std::swap(ptr, tmp.ptr);
        return *this;
    }
    SharedPointer& operator=(SharedPointer&& o) noexcept {
        std::swap(ptr, o.ptr);
        return *this;
    }
    SharedPointer& operator=(T* p) {
        SharedPointer tmp(p);
        std::swap(ptr, tmp.ptr);
        return *this;
    }
    void reset() {
        if (ptr)
            ptr->forget();
        ptr = nullptr;
    }
    T* get() const { return ptr; }
    T* operator->() const { return ptr; }
    T& operator*() const { return *ptr; }
    operator T*() const { return ptr; }

private:
    T* ptr{nullptr};
};

// Adopts a reference the caller already holds (a freshly created object).
template <class T>
SharedPointer<T> owned(T* p) {
    return SharedPointer<T>(p, false);
}

template <class T, class... Args>
SharedPointer<T> makeOwned(Args&&... args) {
    return owned(new T(std::forward<Args>(args)...));
}

// How a knob follows the mouse: circular jumps to the clicked angle and follows the
// pointer round; relative circular turns by the pointer's change of angle; linear
// follows vertical movement.
enum CKnobMode { kCircularMode = 0, kRelativCircularMode, kLinearMode };

}  // namespace VSTGUI
