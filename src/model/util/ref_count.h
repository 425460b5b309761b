// The intrusive reference count of every shared model object. An object
// starts at 0 and lives while at least one ObjectRef holds it; the handle
// that brings the count back to 0 deletes it.
#ifndef DWFPLOT_MODEL_UTIL_REF_COUNT_H
#define DWFPLOT_MODEL_UTIL_REF_COUNT_H

#include <cstdint>

namespace DWFUtil {

class RefCount {
public:
    RefCount() = default;
    // A copy is a new object: it starts unreferenced.
    RefCount(const RefCount&) {}
    // Assigning contents never changes who holds the target.
    RefCount& operator=(const RefCount&) { return *this; }

    virtual ~RefCount();
    virtual void DecRef();
    virtual void IncRef();
    virtual bool UnReferenced() const;

    int32_t referenceCount() const { return count_; }

private:
    int32_t count_ = 0;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_REF_COUNT_H
