#include "package/writer/eplot_section_manager.h"

#include <new>

#include "model/manifest/dependency.h"
#include "model/util/allocation.h"
#include "model/util/guid.h"
#include "model/xml/new_object.h"
#include "package/writer/section_descriptor.h"

namespace DWFEPlot {

using DWFXmlFramework::newObject;

EPlotSectionManager::EPlotSectionManager(const DWFUtil::String& sourceVendor, const DWFUtil::String& sourceName,
                                         const DWFUtil::String& sourceVersion, const DWFUtil::String& dwfVendor,
                                         const DWFUtil::String& dwfVersion)
    : sourceVendor_(sourceVendor),
      sourceName_(sourceName),
      sourceVersion_(sourceVersion),
      dwfVendor_(dwfVendor),
      dwfVersion_(dwfVersion),
      interfaces_(newObject<DWFManifest::Interfaces>()),
      properties_(newObject<DWFManifest::Properties>()) {}

EPlotSectionManager::~EPlotSectionManager() = default;

void EPlotSectionManager::makeSectionName(const DWFUtil::String& type, DWFUtil::String& name) {
    name = type + "_" + DWFUtil::createGuidString(true);
}

void EPlotSectionManager::sectionOpened(DWFWriter::SectionDescriptor& descriptor) {
    const std::string key = descriptor.getSectionName().toUtf8();
    if (key.empty() || sections_.count(key) != 0) return;
    SectionData data;
    data.section = newObject<DWFManifest::Section>(descriptor.getSectionName());
    data.section->setType(descriptor.getType());
    data.section->setTitle(descriptor.getTitle());
    // The source names the producing product; its required href names the
    // page the section holds.
    data.source =
        newObject<DWFManifest::Source>(descriptor.getSource(), descriptor.getPageName(), descriptor.getObjectId());
    data.toc = newObject<DWFManifest::Toc>();
    data.section->setSource(data.source);
    data.section->setToc(data.toc);
    try {
        sectionNames_.reserve(sectionNames_.size() + 1);
        data.order = sectionCount_ + 1;
        sections_.emplace(key, std::move(data));
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
    sectionNames_.push_back(key);
    ++sectionCount_;
}

void EPlotSectionManager::addInterface(const DWFUtil::String& name, const DWFUtil::String& objectId,
                                       const DWFUtil::String& href) {
    if (interfaces_->findByObjectId(objectId) > 0) return;
    interfaces_->add(newObject<DWFManifest::Interface>(objectId, name, href));
}

void EPlotSectionManager::addProperty(const DWFUtil::String& name, const DWFUtil::String& value) {
    properties_->add(newObject<DWFManifest::Property>(name, value));
}

void EPlotSectionManager::addProperty(const DWFUtil::String& name, const platform::Variant& value) {
    properties_->add(newObject<DWFManifest::Property>(name, value));
}

const EPlotSectionManager::SectionData* EPlotSectionManager::find(const DWFUtil::String& section) const {
    const auto it = sections_.find(section.toUtf8());
    return it == sections_.end() ? nullptr : &it->second;
}

DWFUtil::ObjectRef<DWFManifest::Source> EPlotSectionManager::sectionSource(const DWFUtil::String& section) {
    const SectionData* data = find(section);
    return data ? data->source : DWFUtil::ObjectRef<DWFManifest::Source>();
}

DWFUtil::ObjectRef<DWFManifest::Section> EPlotSectionManager::findSection(const DWFUtil::String& section) {
    const SectionData* data = find(section);
    return data ? data->section : DWFUtil::ObjectRef<DWFManifest::Section>();
}

int32_t EPlotSectionManager::getSectionOrder(const DWFUtil::String& section) const {
    const SectionData* data = find(section);
    return data ? data->order : 0;
}

void EPlotSectionManager::addDependency(const DWFUtil::String& section, const DWFUtil::String& dependsOn) {
    const SectionData* from = find(section);
    const SectionData* to = find(dependsOn);
    if (!from || !to) return;
    for (DWFUtil::ObjectRef<DWFManifest::Dependencies>& list : dependencies_) {
        if (list->getSectionIndex() == from->order) {
            list->add(newObject<DWFManifest::Dependency>(to->order));
            return;
        }
    }
    DWFUtil::ObjectRef<DWFManifest::Dependencies> list = newObject<DWFManifest::Dependencies>(from->order);
    list->add(newObject<DWFManifest::Dependency>(to->order));
    try {
        dependencies_.push_back(list);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
}

void EPlotSectionManager::makeResourceName(const DWFUtil::String&, const DWFUtil::String& extension,
                                           DWFUtil::String& name) {
    name = DWFUtil::createGuidString(true);
    if (!extension.empty()) name += DWFUtil::String(".") + extension;
}

bool EPlotSectionManager::resourceAdded(const DWFUtil::String& section, const DWFUtil::String& href,
                                        const DWFUtil::String& role, const DWFUtil::String& mime) {
    const SectionData* data = find(section);
    if (!data) return false;
    data->toc->add(newObject<DWFManifest::Resource>(role, href, mime));
    return true;
}

void EPlotSectionManager::addClosingProperties() {
    if (closingPropertiesAdded_) return;
    closingPropertiesAdded_ = true;
    addProperty("DwfFrameworkVersion", kFrameworkVersion);
    addProperty("SourceProductVendor", sourceVendor_);
    addProperty("SourceProductName", sourceName_);
    addProperty("SourceProductVersion", sourceVersion_);
    addProperty("DwfProductVendor", dwfVendor_);
    addProperty("DwfProductVersion", dwfVersion_);
    addProperty("DwfToolkitVersion", kToolkitVersion);
}

DWFUtil::ObjectRef<DWFManifest::Manifest> EPlotSectionManager::buildManifest() {
    addClosingProperties();
    DWFUtil::ObjectRef<DWFManifest::Sections> sections = newObject<DWFManifest::Sections>();
    for (const std::string& name : sectionNames_) sections->add(sections_.at(name).section);
    manifest_ = newObject<DWFManifest::Manifest>(properties_, sections);
    manifest_->setInterfaces(interfaces_);
    for (const DWFUtil::ObjectRef<DWFManifest::Dependencies>& list : dependencies_) manifest_->addDependencies(list);
    return manifest_;
}

}  // namespace DWFEPlot
