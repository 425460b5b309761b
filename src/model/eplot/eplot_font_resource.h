// A font a page embeds or refers to.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_FONT_RESOURCE_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_FONT_RESOURCE_H

#include <cstdint>

#include "model/eplot/eplot_resource.h"

namespace DWFEPlot {

class EPlotFontResource : public EPlotResource {
public:
    EPlotFontResource() : EPlotResource("FontResource") {}

    const char* getResourceType() const override { return "EPlotFontResource"; }

    int32_t getRequest() const { return request_.getLong(); }
    void setRequest(int32_t request) { request_.setLong(request); }
    // The privilege code; throws InvalidData when the stored word is none of
    // the enumeration (also when none was given).
    int32_t getPrivilege() const;
    int32_t setPrivilege(int32_t code);
    int32_t setPrivilege(const DWFUtil::String& word);
    // The character code; throws InvalidData as getPrivilege does.
    int32_t getCharacterCode() const;
    int32_t setCharacterCode(int32_t code);
    int32_t setCharacterCode(const DWFUtil::String& word);
    const DWFUtil::String& getCanonicalName() const { return canonicalName_.getString(); }
    void setCanonicalName(const DWFUtil::String& name) { canonicalName_.setString(name); }
    const DWFUtil::String& getLogfontName() const { return logfontName_.getString(); }
    void setLogfontName(const DWFUtil::String& name) { logfontName_.setString(name); }

    void readAttributes(const DWFManifest::XmlAttributes& attributes) override;
    bool validate() const override;

protected:
    void writeAttributes(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlLongAttribute request_{"request", true};
    DWFXmlObjects::XmlStringAttribute privilege_{"privilege", true};
    DWFXmlObjects::XmlStringAttribute characterCode_{"characterCode", true};
    DWFXmlObjects::XmlStringAttribute canonicalName_{"canonicalName", true};
    DWFXmlObjects::XmlStringAttribute logfontName_{"logfontName", true};
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_FONT_RESOURCE_H
