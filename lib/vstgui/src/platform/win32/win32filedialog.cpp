// Windows file dialogs: the system's open and save dialogs (comdlg32), modal.
#include <windows.h>
#include <commdlg.h>
#include <string>
#include <vector>
#include "../../fileselectorbackend.h"
#include "vstgui/lib/cframe.h"

namespace VSTGUI {
namespace {

std::wstring widen(const std::string& s) {
    if (s.empty())
        return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string narrow(const wchar_t* w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string s(static_cast<size_t>(n - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
    return s;
}

class SystemFileDialog : public FileSelectorBackend {
public:
    bool run(CNewFileSelector* s) override {
        HWND owner = nullptr;
        if (CFrame* frame = s->getFrame(); frame && frame->getPlatformFrame())
            owner = static_cast<HWND>(frame->getPlatformFrame()->getNativeHandle());
        // "description\0*.ext\0" pairs, ending with an extra zero.
        std::wstring filter;
        std::vector<CFileExtension> filters;
        if (s->getDefaultExtension())
            filters.push_back(*s->getDefaultExtension());
        for (const auto& e : s->getFileExtensions())
            if (!s->getDefaultExtension() || !(e == *s->getDefaultExtension()))
                filters.push_back(e);
        for (const auto& e : filters) {
            filter += widen(e.getDescription());
            filter.push_back(L'\0');
            filter += L"*." + widen(e.getExtension());
            filter.push_back(L'\0');
        }
        filter.push_back(L'\0');
        std::vector<wchar_t> file(32768, L'\0');
        bool save = s->getStyle() == CNewFileSelector::kSelectSaveFile;
        std::wstring name = save ? widen(s->getDefaultSaveName()) : std::wstring();
        name.copy(file.data(), std::min(name.size(), file.size() - 1));
        std::wstring title = widen(s->getTitle());
        std::wstring folder = widen(s->getInitialDirectory());
        std::wstring defExt =
            filters.empty() ? std::wstring() : widen(filters.front().getExtension());

        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filters.empty() ? nullptr : filter.c_str();
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
        ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();
        ofn.Flags =
            OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
        BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
        std::vector<UTF8String> files;
        if (ok)
            files.push_back(narrow(file.data()));
        s->finish(std::move(files));
        return true;
    }
};

}  // namespace

std::unique_ptr<FileSelectorBackend> createNativeFileSelector() {
    return std::make_unique<SystemFileDialog>();
}

}  // namespace VSTGUI
