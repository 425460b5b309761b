#include "model/eplot/eplot_graphic_resource.h"

#include "model/eplot/attribute_reading.h"
#include "model/eplot/eplot_enumerations.h"
#include "model/eplot/typed_list.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {
namespace {

using DWF::DwfResult;

// The value of the `count` digits at `at`, or -1 when one is no digit.
int digitsAt(const char* text, int at, int count) {
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

bool isResourceTime(const DWFUtil::String& text) {
    if (text.narrowLength() != 23) return false;
    const char* t = text.chars();
    if (t[4] != '-' || t[7] != '-' || t[10] != 'T' || t[13] != ':' || t[16] != ':' || t[19] != ':') return false;
    return digitsAt(t, 0, 4) >= 0 && inRange(digitsAt(t, 5, 2), 1, 12) && inRange(digitsAt(t, 8, 2), 1, 31) &&
           inRange(digitsAt(t, 11, 2), 0, 23) && inRange(digitsAt(t, 14, 2), 0, 59) &&
           inRange(digitsAt(t, 17, 2), 0, 59) && inRange(digitsAt(t, 20, 3), 0, 999);
}

EPlotGraphicResource::EPlotGraphicResource(const char* elementName) : EPlotResource(elementName) {
    transform_.fromString("1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1");
}

int32_t EPlotGraphicResource::getTransform(DWFUtil::Vector<double>& transform) const {
    return readList(transform_, transform);
}

int32_t EPlotGraphicResource::setTransform(const DWFUtil::Vector<double>& transform) {
    return assignList(transform_, transform, 16);
}

int32_t EPlotGraphicResource::getExtents(DWFUtil::Vector<double>& extents) const {
    return readList(extents_, extents);
}

int32_t EPlotGraphicResource::setExtents(const DWFUtil::Vector<double>& extents) {
    return assignList(extents_, extents, 4);
}

int32_t EPlotGraphicResource::getClip(DWFUtil::Vector<double>& clip) const { return readList(clip_, clip); }

int32_t EPlotGraphicResource::setClip(const DWFUtil::Vector<double>& clip) { return assignList(clip_, clip, 4); }

int32_t EPlotGraphicResource::setCreationTime(const DWFUtil::String& time) {
    if (!isResourceTime(time)) return DwfResult::InvalidArgument;
    creationTime_.setString(time);
    return DwfResult::Success;
}

int32_t EPlotGraphicResource::setModificationTime(const DWFUtil::String& time) {
    if (!isResourceTime(time)) return DwfResult::InvalidArgument;
    modificationTime_.setString(time);
    return DwfResult::Success;
}

int32_t EPlotGraphicResource::getOrientation() const {
    const int32_t code = orientations().codeOf(orientation_.getString());
    return code == 0 ? 4 : code;
}

int32_t EPlotGraphicResource::setOrientation(int32_t code) {
    const DWFXmlObjects::XmlStringEnum* entry = orientations().findCode(code);
    if (!entry) return DwfResult::InvalidArgument;
    orientation_.setString(entry->getWord());
    return DwfResult::Success;
}

int32_t EPlotGraphicResource::setOrientation(const DWFUtil::String& word) {
    if (!orientations().find(word)) return DwfResult::InvalidArgument;
    orientation_.setString(word);
    return DwfResult::Success;
}

int32_t EPlotGraphicResource::setEffectiveResolution(int32_t resolution) {
    if (resolution <= 0) return DwfResult::InvalidArgument;
    effectiveResolution_.setLong(resolution);
    return DwfResult::Success;
}

void EPlotGraphicResource::readAttributes(const DWFManifest::XmlAttributes& attributes) {
    using DWFXmlObjects::XmlStringAttribute;
    EPlotResource::readAttributes(attributes);
    readAll(attributes, {&author_, &description_, &zOrder_});
    readListThrough(attributes, transform_, [this](const DWFUtil::Vector<double>& v) { setTransform(v); });
    readListThrough(attributes, extents_, [this](const DWFUtil::Vector<double>& v) { setExtents(v); });
    readListThrough(attributes, clip_, [this](const DWFUtil::Vector<double>& v) { setClip(v); });
    readThrough(attributes, creationTime_,
                [this](const XmlStringAttribute& read) { setCreationTime(read.getString()); });
    readThrough(attributes, modificationTime_,
                [this](const XmlStringAttribute& read) { setModificationTime(read.getString()); });
    readThrough(attributes, orientation_, [this](const XmlStringAttribute& read) { setOrientation(read.getString()); });
    readThrough(attributes, effectiveResolution_,
                [this](const DWFXmlObjects::XmlLongAttribute& read) { setEffectiveResolution(read.getLong()); });
    readThrough(attributes, show_,
                [this](const DWFXmlObjects::XmlBooleanAttribute& read) { setShow(read.getBoolean()); });
}

bool EPlotGraphicResource::validate() const {
    return EPlotResource::validate() && transform_.isValid() && extents_.isValid() && clip_.isValid() &&
           author_.isValid() && description_.isValid() && creationTime_.isValid() && modificationTime_.isValid() &&
           orientation_.isValid() && effectiveResolution_.isValid() && zOrder_.isValid() && show_.isValid();
}

void EPlotGraphicResource::writeAttributes(DWFXmlFramework::XmlWriter& writer) const {
    EPlotResource::writeAttributes(writer);
    writer.writeAttribute(show_);
    writer.writeAttribute(transform_);
    writer.writeAttribute(extents_);
    writer.writeAttribute(clip_);
    writer.writeAttribute(author_);
    writer.writeAttribute(description_);
    writer.writeAttribute(creationTime_);
    writer.writeAttribute(modificationTime_);
    writer.writeAttribute(orientation_);
    writer.writeAttribute(effectiveResolution_);
    writer.writeAttribute(zOrder_);
}

int32_t EPlotImageResource::getOriginalExtents(DWFUtil::Vector<double>& extents) const {
    return readList(originalExtents_, extents);
}

int32_t EPlotImageResource::setOriginalExtents(const DWFUtil::Vector<double>& extents) {
    return assignList(originalExtents_, extents, 4);
}

int32_t EPlotImageResource::setScannedResolution(int32_t resolution) {
    if (resolution <= 0) return DwfResult::InvalidArgument;
    scannedResolution_.setLong(resolution);
    return DwfResult::Success;
}

void EPlotImageResource::readAttributes(const DWFManifest::XmlAttributes& attributes) {
    EPlotGraphicResource::readAttributes(attributes);
    readAll(attributes, {&colorDepth_, &parentResourceIndex_});
    for (DWFXmlObjects::XmlBooleanAttribute* flag : {&invertColors_, &scanned_}) {
        readThrough(attributes, *flag, [flag](const DWFXmlObjects::XmlBooleanAttribute& read) {
            flag->setBoolean(read.toString() == "true");
        });
    }
    readListThrough(attributes, originalExtents_, [this](const DWFUtil::Vector<double>& v) { setOriginalExtents(v); });
    readThrough(attributes, scannedResolution_,
                [this](const DWFXmlObjects::XmlLongAttribute& read) { setScannedResolution(read.getLong()); });
}

bool EPlotImageResource::validate() const {
    if (!EPlotGraphicResource::validate()) return false;
    if (!invertColors_.isValid() || !scanned_.isValid() || !originalExtents_.isValid() || !colorDepth_.isValid() ||
        !scannedResolution_.isValid() || !parentResourceIndex_.isValid()) {
        return false;
    }
    return !originalExtents_.isSet() || originalExtents_.itemCount() == 4;
}

void EPlotImageResource::writeAttributes(DWFXmlFramework::XmlWriter& writer) const {
    EPlotGraphicResource::writeAttributes(writer);
    writer.writeAttribute(parentResourceIndex_);
    writer.writeAttribute(invertColors_);
    writer.writeAttribute(scanned_);
    writer.writeAttribute(originalExtents_);
    writer.writeAttribute(colorDepth_);
    writer.writeAttribute(scannedResolution_);
}

}  // namespace DWFEPlot
