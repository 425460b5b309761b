// Every model object is made on the heap and wrapped in a handle at once; an
// exhausted heap is reported as DWF::DwfResult::OutOfMemory.
#ifndef DWFPLOT_MODEL_XML_NEW_OBJECT_H
#define DWFPLOT_MODEL_XML_NEW_OBJECT_H

#include <new>
#include <utility>

#include "model/util/allocation.h"
#include "model/util/object_ref.h"

namespace DWFXmlFramework {

template <typename T, typename... Args>
DWFUtil::ObjectRef<T> newObject(Args&&... args) {
    T* object = nullptr;
    try {
        object = new T(std::forward<Args>(args)...);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
    return DWFUtil::ObjectRef<T>(object);
}

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_NEW_OBJECT_H
