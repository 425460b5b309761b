// The package reader's manifest: parsed on first request, its properties
// sorted into the product ones and the rest, and the interfaces it supports.
#include <new>

#include "model/manifest/manifest_builder.h"
#include "model/util/allocation.h"
#include "model/xml/new_object.h"
#include "package/reader/dwf_reader.h"

namespace DWFReader {
namespace {

constexpr const char* kManifestName = "manifest.xml";

}  // namespace

DWFUtil::ObjectRef<DWFManifest::Manifest> DwfReader::getManifest() {
    if (manifest_.Object() != nullptr) return manifest_;
    const DWFUtil::String name(kManifestName);
    if (!hasEntry(name)) throw DWF::DwfResult::NotFoundInPackage;
    const DWFUtil::ObjectRef<DWFManifestBuilders::ManifestBuilder> builder =
        DWFXmlFramework::newObject<DWFManifestBuilders::ManifestBuilder>();
    const DWF::DwfResult::Enum rc = parseDocument(name, builder);
    if (rc < 0) throw rc;
    if (builder->getManifest().Object() == nullptr) throw DWF::DwfResult::XmlBuildFailed;
    manifest_ = builder->getManifest();
    return manifest_;
}

bool DwfReader::getManifestProperties(DWFUtil::String& sourceVendor, DWFUtil::String& sourceName,
                                      DWFUtil::String& sourceVersion, DWFUtil::String& packagerVendor,
                                      DWFUtil::String& packagerVersion,
                                      DWFUtil::Vector<DWFUtil::ObjectRef<DWFManifest::AnyProperty>>& others) {
    const DWFUtil::ObjectRef<DWFManifest::Manifest> manifest = getManifest();
    if (manifest.Object() == nullptr) throw DWF::DwfResult::InvalidData;
    others.clear();
    const DWFUtil::ObjectRef<DWFManifest::Properties>& properties = manifest->getProperties();
    for (uint32_t i = 0; properties.Object() != nullptr && i < properties->size(); ++i) {
        const DWFUtil::ObjectRef<DWFManifest::AnyProperty>& any = (*properties)[i];
        const auto* property = dynamic_cast<const DWFManifest::Property*>(any.Object());
        if (property == nullptr) continue;
        const DWFUtil::String& name = property->getPropertyName();
        if (name == "SourceProductVendor") {
            sourceVendor = property->getValue();
        } else if (name == "SourceProductName") {
            sourceName = property->getValue();
        } else if (name == "SourceProductVersion") {
            sourceVersion = property->getValue();
        } else if (name == "PackagerProductVendor" || name == "DwfProductVendor") {
            packagerVendor = property->getValue();
        } else if (name == "PackagerProductVersion" || name == "DwfProductVersion") {
            packagerVersion = property->getValue();
        } else {
            others.push_back(any);
        }
    }
    return !others.empty();
}

void DwfReader::addInterface(const DWFUtil::ObjectRef<DWFManifest::Interface>& supported) {
    if (supported.Object() == nullptr) throw DWF::DwfResult::InvalidArgument;
    if (interfaces_->findByObjectId(supported->getObjectId()) > 0) return;
    interfaces_->add(supported);
}

bool DwfReader::isInterfaceSupported(const DWFUtil::ObjectRef<DWFManifest::Interface>& candidate) const {
    if (candidate.Object() == nullptr) return false;
    return interfaces_->findByObjectId(candidate->getObjectId()) > 0;
}

}  // namespace DWFReader
