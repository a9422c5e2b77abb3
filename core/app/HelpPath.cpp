#include "core/app/HelpPath.h"

namespace brindlex {

std::u16string ModuleFolder(const std::u16string& path) {
    const std::size_t sep = path.find_last_of(u"\\/");
    if (sep == std::u16string::npos) {
        return {};
    }
    if (sep > 0 && path[sep - 1] == u':') {
        return path.substr(0, sep + 1);
    }
    return path.substr(0, sep);
}

std::u16string HelpFilePath(const std::u16string& modulePath) {
    std::u16string folder = ModuleFolder(modulePath);
    if (folder.empty() || (folder.back() != u'\\' && folder.back() != u'/')) {
        folder += u'\\';
    }
    return folder + u"Brindlex.chm";
}

} // namespace brindlex
