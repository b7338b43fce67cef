#pragma once
#include <string>
#include <string_view>

namespace halvane {

// The developer named in an AppStream metainfo file: the untranslated <name> inside
// <developer>, else the untranslated <developer_name>. Entities are decoded and runs of
// white space become one space. Empty when the file names no developer or is not XML.
// The scan is forgiving: it needs tags to be closed, not the document to be valid.
std::string AppStreamDeveloperName(std::string_view metainfo_xml);

// Decodes &amp; &lt; &gt; &quot; &apos; and numeric character references; an unknown or
// broken reference is kept as written.
std::string DecodeXmlText(std::string_view text);

}  // namespace halvane
