#include "model/manifest/value_types.h"

namespace DWFManifest {

const DWFXmlObjects::XmlStringEnumRegistry& propertyValueTypes() {
    static const DWFXmlObjects::XmlStringEnumRegistry registry{
        {1, "string"},         {2, "boolean"},       {3, "uriReference"}, {4, "timeDuration"}, {5, "timeInstant"},
        {6, "date"},           {7, "month"},         {8, "year"},         {9, "century"},      {10, "recurringDate"},
        {11, "recurringDay"},  {12, "float"},        {13, "double"},      {14, "long"},        {15, "int"},
        {16, "short"},         {17, "byte"},         {18, "unsignedLong"}, {19, "unsignedInt"}, {20, "unsignedShort"},
        {21, "unsignedByte"},  {22, "stringList"},   {23, "doubleList"},  {24, "longList"}};
    return registry;
}

}  // namespace DWFManifest
