// The XML Schema instance namespace of the 2000/10 recommendation, which the
// writer declares for the `xsi` prefix of schema locations.
#ifndef DWFPLOT_MODEL_XML_XML_SCHEMA_INSTANCE_H
#define DWFPLOT_MODEL_XML_XML_SCHEMA_INSTANCE_H

namespace DWFXmlFramework {

inline constexpr const char* kXmlSchemaInstanceNamespace = "http://www.w3.org/2000/10/XMLSchema-instance";
inline constexpr const char* kXmlSchemaInstancePrefix = "xsi";
inline constexpr const char* kSchemaLocationAttribute = "xsi:schemaLocation";
inline constexpr const char* kNoNamespaceSchemaLocationAttribute = "xsi:noNamespaceSchemaLocation";

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_XML_SCHEMA_INSTANCE_H
