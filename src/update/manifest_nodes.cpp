#include "update/manifest_nodes.h"

namespace veloria {

namespace {

void Read(const std::vector<XmlNode>& nodes, const std::wstring& parent, ManifestValues& values)
{
    for (const XmlNode& node : nodes) {
        if (node.type == XmlNode::Type::Text) {
            if (parent == L"SOFTWARE_LASTVERSION") {
                values.LastVersion = node.value;
            } else if (parent == L"SOFTWARE_DOWNLOADURL") {
                values.DownloadURL = node.value;
            } else if (parent == L"SOFTWARE_WEBPAGE") {
                values.WebPage = node.value;
            }
        }
        Read(node.children, node.name, values);
    }
}

void List(const std::vector<XmlNode>& nodes, const std::wstring& parent, std::size_t level, std::wstring& text)
{
    for (const XmlNode& node : nodes) {
        if (node.type == XmlNode::Type::Text) {
            text += std::wstring(level, L' ') + parent + L":" + node.value + L"\r\n";
        }
        List(node.children, node.name, level + 1, text);
    }
}

}  // namespace

void ReadManifestNodes(const std::vector<XmlNode>& document, ManifestValues& values)
{
    Read(document, L"", values);
}

std::wstring ListManifestNodes(const std::vector<XmlNode>& document)
{
    std::wstring text;
    List(document, L"", 1, text);
    return text;
}

}  // namespace veloria
