#include "update/manifest_nodes.h"

namespace veloria {

namespace {

void Read(const std::vector<XmlNode>& nodes, const std::string& parent, ManifestValues& values)
{
    for (const XmlNode& node : nodes) {
        if (node.type == XmlNode::Type::Text) {
            if (parent == "SOFTWARE_LASTVERSION") {
                values.LastVersion = node.value;
            } else if (parent == "SOFTWARE_DOWNLOADURL") {
                values.DownloadURL = node.value;
            } else if (parent == "SOFTWARE_WEBPAGE") {
                values.WebPage = node.value;
            }
        }
        Read(node.children, node.name, values);
    }
}

void List(const std::vector<XmlNode>& nodes, const std::string& parent, std::size_t level, std::string& text)
{
    for (const XmlNode& node : nodes) {
        if (node.type == XmlNode::Type::Text) {
            text += std::string(level, ' ') + parent + ":" + node.value + "\r\n";
        }
        List(node.children, node.name, level + 1, text);
    }
}

}  // namespace

void ReadManifestNodes(const std::vector<XmlNode>& document, ManifestValues& values)
{
    Read(document, "", values);
}

std::string ListManifestNodes(const std::vector<XmlNode>& document)
{
    std::string text;
    List(document, "", 1, text);
    return text;
}

}  // namespace veloria
