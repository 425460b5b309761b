// Graphic resources of a page (the W2D stream) and raster images, which are
// graphic resources with scanning details.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_GRAPHIC_RESOURCE_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_GRAPHIC_RESOURCE_H

#include <cstdint>
#include <utility>

#include "model/eplot/eplot_resource.h"
#include "model/util/vector.h"
#include "model/xml/xml_boolean_attribute.h"
#include "model/xml/xml_list_attribute.h"

namespace DWFEPlot {

class EPlotGraphicResource : public EPlotResource {
public:
    // The transform starts as the identity.
    EPlotGraphicResource() : EPlotGraphicResource("GraphicResource") {}

    const char* getResourceType() const override { return "EPlotGraphicResource"; }

    // Sixteen values.
    int32_t getTransform(DWFUtil::Vector<double>& transform) const;
    int32_t setTransform(const DWFUtil::Vector<double>& transform);
    // Four values each.
    int32_t getExtents(DWFUtil::Vector<double>& extents) const;
    int32_t setExtents(const DWFUtil::Vector<double>& extents);
    int32_t getClip(DWFUtil::Vector<double>& clip) const;
    int32_t setClip(const DWFUtil::Vector<double>& clip);
    const DWFUtil::String& getAuthor() const { return author_.getString(); }
    void setAuthor(DWFUtil::String author) { author_.takeString(std::move(author)); }
    const DWFUtil::String& getDescription() const { return description_.getString(); }
    void setDescription(DWFUtil::String description) { description_.takeString(std::move(description)); }
    // Times are YYYY-MM-DDTHH:MM:SS:mmm; other text: InvalidArgument.
    const DWFUtil::String& getCreationTime() const { return creationTime_.getString(); }
    int32_t setCreationTime(const DWFUtil::String& time);
    const DWFUtil::String& getModificationTime() const { return modificationTime_.getString(); }
    int32_t setModificationTime(const DWFUtil::String& time);
    // The orientation code; a stored word outside the enumeration reads as 4.
    int32_t getOrientation() const;
    int32_t setOrientation(int32_t code);
    int32_t setOrientation(const DWFUtil::String& word);
    int32_t getEffectiveResolution() const { return effectiveResolution_.getLong(); }
    // Greater than 0.
    int32_t setEffectiveResolution(int32_t resolution);
    int32_t getZOrder() const { return zOrder_.getLong(); }
    void setZOrder(int32_t zOrder) { zOrder_.setLong(zOrder); }
    bool getShow() const { return show_.getBoolean(); }
    void setShow(bool show) { show_.setBoolean(show); }

    void readAttributes(const DWFManifest::XmlAttributes& attributes) override;
    bool validate() const override;

protected:
    explicit EPlotGraphicResource(const char* elementName);
    void writeAttributes(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlListOfDoubleAttribute transform_{"transform", true};
    DWFXmlObjects::XmlListOfDoubleAttribute extents_{"extents"};
    DWFXmlObjects::XmlListOfDoubleAttribute clip_{"clip"};
    DWFXmlObjects::XmlStringAttribute author_{"author"};
    DWFXmlObjects::XmlStringAttribute description_{"description"};
    DWFXmlObjects::XmlStringAttribute creationTime_{"creationTime"};
    DWFXmlObjects::XmlStringAttribute modificationTime_{"modificationTime"};
    DWFXmlObjects::XmlStringAttribute orientation_{"orientation"};
    DWFXmlObjects::XmlLongAttribute effectiveResolution_{"effectiveResolution"};
    DWFXmlObjects::XmlLongAttribute zOrder_{"zOrder"};
    DWFXmlObjects::XmlBooleanAttribute show_{"show"};
};

class EPlotImageResource : public EPlotGraphicResource {
public:
    EPlotImageResource() : EPlotGraphicResource("ImageResource") {}

    const char* getResourceType() const override { return "EPlotImageResource"; }

    bool getInvertColors() const { return invertColors_.getBoolean(); }
    void setInvertColors(bool invert) { invertColors_.setBoolean(invert); }
    bool getScanned() const { return scanned_.getBoolean(); }
    void setScanned(bool scanned) { scanned_.setBoolean(scanned); }
    // Four values.
    int32_t getOriginalExtents(DWFUtil::Vector<double>& extents) const;
    int32_t setOriginalExtents(const DWFUtil::Vector<double>& extents);
    int32_t getColorDepth() const { return colorDepth_.getLong(); }
    void setColorDepth(int32_t depth) { colorDepth_.setLong(depth); }
    int32_t getScannedResolution() const { return scannedResolution_.getLong(); }
    // Greater than 0.
    int32_t setScannedResolution(int32_t resolution);
    int32_t getParentResourceIndex() const { return parentResourceIndex_.getLong(); }
    void setParentResourceIndex(int32_t index) { parentResourceIndex_.setLong(index); }

    // invertColors and scanned are true only when written as "true".
    void readAttributes(const DWFManifest::XmlAttributes& attributes) override;
    bool validate() const override;

protected:
    void writeAttributes(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlBooleanAttribute invertColors_{"invertColors"};
    DWFXmlObjects::XmlBooleanAttribute scanned_{"scanned"};
    DWFXmlObjects::XmlListOfDoubleAttribute originalExtents_{"originalExtents"};
    DWFXmlObjects::XmlLongAttribute colorDepth_{"colorDepth"};
    DWFXmlObjects::XmlLongAttribute scannedResolution_{"scannedResolution"};
    DWFXmlObjects::XmlLongAttribute parentResourceIndex_{"parentResourceIndex"};
};

// Whether `text` is a time of the form YYYY-MM-DDTHH:MM:SS:mmm with every
// field in its range.
bool isResourceTime(const DWFUtil::String& text);

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_GRAPHIC_RESOURCE_H
