// Escaping of text for XML documents and its inverse. Escaped text is pure
// ASCII: every character outside 32..127 becomes a numeric reference.
#ifndef DWFPLOT_MODEL_XML_XML_ESCAPE_H
#define DWFPLOT_MODEL_XML_XML_ESCAPE_H

#include <string>

#include "model/util/string.h"

namespace DWFXmlFramework {

// `&`, `<` and `>` always become entity references; in attribute mode also
// both quotes. Units below 32 become `&#xHH;`, other non-ASCII characters
// `&#NNN;` (a surrogate pair as one reference to its code point).
DWFUtil::String xmlEscape(const DWFUtil::String& text, bool forAttribute);
// The same, appended to `out`.
void appendXmlEscaped(std::string& out, const DWFUtil::String& text, bool forAttribute);

// Resolves the five entity references and decimal and hexadecimal character
// references; anything else, including an unterminated or malformed
// reference, is copied as written.
DWFUtil::String xmlUnescape(const DWFUtil::String& text);

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_XML_ESCAPE_H
