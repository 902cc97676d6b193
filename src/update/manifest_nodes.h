// LeerXML's rules on a manifest document, apart from the parser: which
// text nodes give the three manifest values, and the listing the updates
// tab shows. The document comes as a plain tree of nodes.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <vector>

namespace veloria {

struct XmlNode {
    enum class Type { Element, Text, Other };  // Other: CDATA, comments, instructions...
    Type type = Type::Other;
    std::wstring name;   // of an element
    std::wstring value;  // of a text node
    std::vector<XmlNode> children;
};

struct ManifestValues {
    std::wstring LastVersion;
    std::wstring DownloadURL;
    std::wstring WebPage;
};

// What a failed load leaves in LastVersion and DownloadURL.
inline constexpr const wchar_t* kUnknownManifestValue = L"UNKNOW";

// ReadManifestNodes: each plain text node whose parent element is named
// exactly "SOFTWARE_LASTVERSION", "SOFTWARE_DOWNLOADURL" or
// "SOFTWARE_WEBPAGE" sets that value; in document order, so the last wins.
// Values the document does not name keep what they held.
void ReadManifestNodes(const std::vector<XmlNode>& document, ManifestValues& values);

// ListManifestNodes: one line a text node, in document order: as many
// blanks as its depth (the root element's text at 2), its parent's name,
// ":", its text, CR LF.
std::wstring ListManifestNodes(const std::vector<XmlNode>& document);

}  // namespace veloria
