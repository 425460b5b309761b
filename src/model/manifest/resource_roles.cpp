#include "model/manifest/resource_roles.h"

namespace DWFManifest {

const DWFXmlObjects::XmlStringEnumRegistry& resourceRoles() {
    static const DWFXmlObjects::XmlStringEnumRegistry registry{
        {1, "2d streaming graphics"}, {2, "3d streaming graphics"}, {4, "descriptor"},       {7, "thumbnail"},
        {14, "2d vector overlay"},    {15, "2d vector markup"},     {16, "RML markup"},      {17, "preview"},
        {18, "overlay preview"},      {19, "markup preview"},       {20, "raster overlay"},  {21, "raster markup"},
        {23, "font"},                 {24, "metadata"},             {25, "package signature"}, {26, "section signature"},
        {27, "fileset signature"}};
    return registry;
}

}  // namespace DWFManifest
