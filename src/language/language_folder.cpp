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

}  // namespace veloria
