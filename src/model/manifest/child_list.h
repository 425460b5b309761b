// What every model container does with its list of children: append, bind,
// validate and write them in order.
#ifndef DWFPLOT_MODEL_MANIFEST_CHILD_LIST_H
#define DWFPLOT_MODEL_MANIFEST_CHILD_LIST_H

#include "model/util/object_ref.h"
#include "model/util/vector.h"
#include "model/xml/xml_namespace.h"
#include "model/xml/xml_writer.h"

namespace DWFManifest {

template <typename T>
using ChildList = DWFUtil::Vector<DWFUtil::ObjectRef<T>>;

// Documents from other producers may list many thousands of children; the
// 16-element growth steps of DWFUtil::Vector would copy the list once per
// step, so the capacity is doubled instead once it is full.
template <typename T>
void appendChild(DWFUtil::Vector<T>& children, const T& child) {
    if (children.size() == children.capacity() && children.capacity() != 0) {
        children.reserve(children.capacity() * 2);
    }
    children.push_back(child);
}

template <typename T>
void bindChildren(const ChildList<T>& children, const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    for (const auto& child : children) child->bindNamespace(nameSpace);
}

template <typename T>
bool allChildrenValid(const ChildList<T>& children) {
    for (const auto& child : children) {
        if (!child->validate()) return false;
    }
    return true;
}

template <typename T>
void serializeChildren(const ChildList<T>& children, DWFXmlFramework::XmlWriter& writer) {
    for (const auto& child : children) child->serialize(writer);
}

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_CHILD_LIST_H
