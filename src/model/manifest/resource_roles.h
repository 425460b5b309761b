// The roles a section resource may play and the MIME types of the resources
// this library writes.
#ifndef DWFPLOT_MODEL_MANIFEST_RESOURCE_ROLES_H
#define DWFPLOT_MODEL_MANIFEST_RESOURCE_ROLES_H

#include "model/xml/xml_string_enum.h"

namespace DWFManifest {

// Looked up by word; a word not registered has code 0.
const DWFXmlObjects::XmlStringEnumRegistry& resourceRoles();

inline constexpr const char* kRole2dStreamingGraphics = "2d streaming graphics";
inline constexpr const char* kRoleDescriptor = "descriptor";
inline constexpr const char* kRoleThumbnail = "thumbnail";
inline constexpr const char* kRolePreview = "preview";
inline constexpr const char* kRoleFont = "font";

inline constexpr const char* kMimeW2d = "application/x-w2d";
inline constexpr const char* kMimePng = "image/png";
inline constexpr const char* kMimeJpeg = "image/jpeg";
inline constexpr const char* kMimeFont = "application/x-font";
inline constexpr const char* kMimeXml = "text/xml";

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_RESOURCE_ROLES_H
