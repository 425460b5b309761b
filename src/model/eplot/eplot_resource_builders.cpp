#include "model/eplot/eplot_resource_builders.h"

#include "model/xml/new_object.h"

namespace DWFEPlot {
namespace {

using DWFManifestBuilders::makeBuilder;
using DWFUtil::XmlParser;
using DWFXmlBuilder::XmlChildHandler;
using DWFXmlFramework::newObject;
using DWFXmlObjects::XmlAttributeObject;

void readAll(const DWFUtil::Vector<XmlParser::Attribute>& attributes, std::initializer_list<XmlAttributeObject*> read) {
    for (XmlAttributeObject* attribute : read) attribute->setFromAttributes(attributes);
}

// Copies a read list through `set` (which refuses a wrong length).
template <typename Set>
void copyList(const DWFXmlObjects::XmlListOfDoubleAttribute& read, Set set) {
    DWFUtil::Vector<double> values;
    if (read.isSet() && read.getVector(values)) set(values);
}

}  // namespace

void EPlotResourceBuilder::setAttributes(const DWFUtil::Vector<XmlParser::Attribute>& attributes) {
    readAll(attributes, {&role_, &mime_, &href_, &title_, &size_, &objectId_});
}

DWFUtil::ObjectRef<EPlotResource> EPlotResourceBuilder::createResource() { return newObject<EPlotResource>(); }

void EPlotResourceBuilder::build() {
    resource_ = createResource();
    EPlotResource& resource = builtAs<EPlotResource>();
    resource.setName(getName());
    resource.setPrefixMappings(getPrefixMappings());
    if (role_.isSet()) resource.setRole(role_.takeValue());
    if (mime_.isSet()) resource.setMime(mime_.takeValue());
    if (href_.isSet()) resource.setHref(href_.takeValue());
    if (title_.isSet()) resource.setTitle(title_.takeValue());
    if (size_.isSet()) resource.setSize(size_.getLong());
    if (objectId_.isSet()) resource.setObjectId(objectId_.takeValue());
}

void EPlotGraphicResourceBuilder::setAttributes(const DWFUtil::Vector<XmlParser::Attribute>& attributes) {
    EPlotResourceBuilder::setAttributes(attributes);
    readAll(attributes, {&transform_, &extents_, &clip_, &author_, &description_, &creationTime_, &modificationTime_,
                         &orientation_, &effectiveResolution_, &zOrder_, &show_});
}

DWFUtil::ObjectRef<EPlotResource> EPlotGraphicResourceBuilder::createResource() {
    return newObject<EPlotGraphicResource>();
}

void EPlotGraphicResourceBuilder::build() {
    EPlotResourceBuilder::build();
    EPlotGraphicResource& resource = builtAs<EPlotGraphicResource>();
    copyList(transform_, [&resource](const DWFUtil::Vector<double>& v) { resource.setTransform(v); });
    copyList(extents_, [&resource](const DWFUtil::Vector<double>& v) { resource.setExtents(v); });
    copyList(clip_, [&resource](const DWFUtil::Vector<double>& v) { resource.setClip(v); });
    if (author_.isSet()) resource.setAuthor(author_.takeValue());
    if (description_.isSet()) resource.setDescription(description_.takeValue());
    if (creationTime_.isSet()) resource.setCreationTime(creationTime_.getString());
    if (modificationTime_.isSet()) resource.setModificationTime(modificationTime_.getString());
    if (orientation_.isSet()) resource.setOrientation(orientation_.getString());
    if (effectiveResolution_.isSet()) resource.setEffectiveResolution(effectiveResolution_.getLong());
    if (zOrder_.isSet()) resource.setZOrder(zOrder_.getLong());
    if (show_.isSet()) resource.setShow(show_.getBoolean());
}

void EPlotImageResourceBuilder::setAttributes(const DWFUtil::Vector<XmlParser::Attribute>& attributes) {
    EPlotGraphicResourceBuilder::setAttributes(attributes);
    readAll(attributes,
            {&invertColors_, &scanned_, &originalExtents_, &colorDepth_, &scannedResolution_, &parentResourceIndex_});
}

DWFUtil::ObjectRef<EPlotResource> EPlotImageResourceBuilder::createResource() {
    return newObject<EPlotImageResource>();
}

void EPlotImageResourceBuilder::build() {
    EPlotGraphicResourceBuilder::build();
    EPlotImageResource& resource = builtAs<EPlotImageResource>();
    if (invertColors_.isSet()) resource.setInvertColors(invertColors_.toString() == "true");
    if (scanned_.isSet()) resource.setScanned(scanned_.toString() == "true");
    copyList(originalExtents_, [&resource](const DWFUtil::Vector<double>& v) { resource.setOriginalExtents(v); });
    if (colorDepth_.isSet()) resource.setColorDepth(colorDepth_.getLong());
    if (scannedResolution_.isSet()) resource.setScannedResolution(scannedResolution_.getLong());
    if (parentResourceIndex_.isSet()) resource.setParentResourceIndex(parentResourceIndex_.getLong());
}

void EPlotFontResourceBuilder::setAttributes(const DWFUtil::Vector<XmlParser::Attribute>& attributes) {
    EPlotResourceBuilder::setAttributes(attributes);
    readAll(attributes, {&request_, &privilege_, &characterCode_, &canonicalName_, &logfontName_});
}

DWFUtil::ObjectRef<EPlotResource> EPlotFontResourceBuilder::createResource() {
    return newObject<EPlotFontResource>();
}

void EPlotFontResourceBuilder::build() {
    EPlotResourceBuilder::build();
    EPlotFontResource& resource = builtAs<EPlotFontResource>();
    if (request_.isSet()) resource.setRequest(request_.getLong());
    if (privilege_.isSet()) resource.setPrivilege(privilege_.getString());
    if (characterCode_.isSet()) resource.setCharacterCode(characterCode_.getString());
    if (canonicalName_.isSet()) resource.setCanonicalName(canonicalName_.getString());
    if (logfontName_.isSet()) resource.setLogfontName(logfontName_.getString());
}

EPlotResourcesBuilder::EPlotResourcesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
    : ObjectBuilder(name) {
    registerChild("FontResource", &makeBuilder<EPlotFontResourceBuilder>);
    registerChild("ImageResource", &makeBuilder<EPlotImageResourceBuilder>);
    registerChild("GraphicResource", &makeBuilder<EPlotGraphicResourceBuilder>);
    registerChild("Resource", &makeBuilder<EPlotResourceBuilder>);
}

const XmlChildHandler* EPlotResourcesBuilder::childHandlers() const {
    // Every resource builder derives from EPlotResourceBuilder.
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<EPlotResourcesBuilder, EPlotResourceBuilder, &EPlotResourcesBuilder::addResource>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFEPlot
