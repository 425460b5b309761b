// The handle through which every model object is held. Each handle that
// holds an object keeps exactly one reference on it.
#ifndef DWFPLOT_MODEL_UTIL_OBJECT_REF_H
#define DWFPLOT_MODEL_UTIL_OBJECT_REF_H

#include <cstddef>
#include <functional>

#include "model/util/ref_count.h"

namespace DWFUtil {

template <typename T>
class ObjectRef {
public:
    ObjectRef() = default;
    // Takes a share of `object`: a fresh object wrapped once ends at count 1.
    ObjectRef(T* object) : object_(object) { acquire(); }  // NOLINT: handles wrap raw objects at once
    ObjectRef(const ObjectRef& other) : object_(other.object_) { acquire(); }
    template <typename U>
    ObjectRef(const ObjectRef<U>& other) : object_(other.Object()) { acquire(); }
    ObjectRef(ObjectRef&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    ~ObjectRef() { unbind(); }

    // Takes the other's object; used on empty handles only, so nothing is released.
    void bind(const ObjectRef& other) {
        object_ = other.object_;
        acquire();
    }

    // Drops this handle's share and deletes the object when it was the last.
    // The handle is left empty, so a stray second release cannot touch a
    // deleted object.
    void unbind() {
        T* object = object_;
        object_ = nullptr;
        if (object) {
            object->DecRef();
            if (object->UnReferenced()) delete object;
        }
    }

    void newBinding(const ObjectRef& other) {
        if (object_ == other.object_) return;
        T* incoming = other.object_;
        if (incoming) incoming->IncRef();  // before the release: `other` may live inside our object
        unbind();
        object_ = incoming;
    }

    ObjectRef& operator=(const ObjectRef& other) {
        newBinding(other);
        return *this;
    }
    ObjectRef& operator=(ObjectRef&& other) noexcept {
        if (this != &other) {
            T* incoming = other.object_;
            other.object_ = nullptr;
            unbind();
            object_ = incoming;
        }
        return *this;
    }
    // Assigning 0 releases the object and empties the handle.
    ObjectRef& operator=(int zero) {
        if (zero == 0) unbind();
        return *this;
    }
    ObjectRef& operator=(std::nullptr_t) {
        unbind();
        return *this;
    }

    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    T* Object() const { return object_; }
    bool isNull() const { return object_ == nullptr; }

    bool operator==(const ObjectRef& other) const { return object_ == other.object_; }
    bool operator!=(const ObjectRef& other) const { return object_ != other.object_; }
    bool operator<(const ObjectRef& other) const { return std::less<T*>()(object_, other.object_); }

private:
    void acquire() {
        if (object_) object_->IncRef();
    }

    T* object_ = nullptr;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_OBJECT_REF_H
