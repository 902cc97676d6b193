#include "language/language_folder.h"

namespace veloria {

std::string LanguageFolderOf(const std::string& programFolder)
{
    return programFolder + "/language/";
}

std::string& LanguageFolder()
{
    static std::string folder;
    return folder;
}

std::vector<std::string>& LanguageFiles()
{
    static std::vector<std::string> files;
    return files;
}

std::string SearchPattern(const std::string& folder, std::string_view pattern)
{
    std::string path = folder;
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    path += pattern;
    return path;
}

bool IsListedName(std::string_view name)
{
    return name != "." && name != "..";
}

}  // namespace veloria
