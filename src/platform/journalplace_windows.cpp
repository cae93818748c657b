#include <shlobj.h>
#include <windows.h>

#include "journal/systempath_windows.h"
#include "platform/journalplace.h"

namespace zoltrek {

// The executable's own path in UTF-16, so a folder of any name (Cyrillic, long) is found.
std::string executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string executable = pathFromSystem(path);
    return executable.substr(0, executable.rfind('/'));
}

UserEnvironment userEnvironment() {
    UserEnvironment environment;
    wchar_t* folder = nullptr;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder) == S_OK)
        environment.localAppData = pathFromSystem(folder);
    CoTaskMemFree(folder);
    return environment;
}

}  // namespace zoltrek
