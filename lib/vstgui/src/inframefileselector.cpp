// The in-frame file browser, for platforms without a dialog of their own: a modal panel
// with the title, the current folder, its subfolders and matching files (".." first, to
// go up), a field for a name or a typed path, and Cancel and Open (or Save) buttons.
// Everything works with the mouse alone (a host may keep Enter and Escape for itself):
// a click on a folder opens it, on a file opens it (saving: takes its name), a click
// outside the panel cancels. Keys: Up and Down walk the list and put the entry in the
// field, Enter opens what the field names (a folder is entered), Escape cancels.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <system_error>
#include "fileselectorbackend.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ctextedit.h"
#include "vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI {
namespace {

namespace fs = std::filesystem;

constexpr CColor kPanelBack{60, 60, 60, 245};
constexpr CColor kPanelText{230, 230, 230, 255};
constexpr CColor kListBack{250, 250, 250, 255};
constexpr CColor kListText{20, 20, 20, 255};
constexpr CColor kFolderText{20, 60, 140, 255};
constexpr CColor kSelectedBack{48, 112, 192, 255};
constexpr CColor kSelectedText{255, 255, 255, 255};
constexpr CColor kButtonBack{95, 95, 95, 255};

constexpr CCoord kWidth = 480, kHeight = 330, kMargin = 10;
constexpr CCoord kListTop = 48, kRowHeight = 18;
constexpr int32_t kRows = 12;
constexpr CCoord kFieldTop = kListTop + kRows * kRowHeight + 8;
constexpr CCoord kButtonTop = kFieldTop + 28;

struct Entry {
    UTF8String name;  // "..", a folder's or a file's name
    bool folder;
};

fs::path fromUtf8(const UTF8String& s) {
    return fs::u8path(s);
}

UTF8String toUtf8(const fs::path& p) {
    return p.u8string();
}

UTF8String lowerCase(UTF8String s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

UTF8String homeFolder() {
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
    return home && *home ? UTF8String(home) : UTF8String();
}

// A text label that answers a click.
class ClickLabel : public CTextLabel {
public:
    ClickLabel(const CRect& r, std::function<void()> onClick)
        : CTextLabel(r), clicked(std::move(onClick)) {}
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
        if (!buttons.isLeftButton())
            return kMouseEventNotHandled;
        SharedPointer<ClickLabel> keep(this);  // the click may close the panel
        clicked();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }

private:
    std::function<void()> clicked;
};

class FileBrowserPanel : public CViewContainer {
public:
    FileBrowserPanel(CNewFileSelector* sel, const CRect& r) : CViewContainer(r), selector(sel) {
        setBackgroundColor(kPanelBack);
        const CCoord w = r.getWidth();
        const bool save = sel->getStyle() == CNewFileSelector::kSelectSaveFile;
        auto* title = label(CRect(kMargin, 6, w - kMargin, 24), sel->getTitle(), kNormalFontBig);
        title->setHoriAlign(kLeftText);
        folderLabel = label(CRect(kMargin, 28, w - kMargin, 44), "", kNormalFontSmall);
        folderLabel->setHoriAlign(kLeftText);
        for (int32_t i = 0; i < kRows; ++i) {
            const CCoord top = kListTop + i * kRowHeight;
            auto* row = new ClickLabel(CRect(kMargin, top, w - kMargin, top + kRowHeight),
                                       [this, i] { clickRow(i); });
            row->setFont(kNormalFont);
            row->setHoriAlign(kLeftText);
            row->setTextInset(CPoint(6, 0));
            row->setFrameColor(kTransparentCColor);
            rows[i] = row;
            addView(row);
        }
        field = new CTextEdit(CRect(kMargin, kFieldTop, w - kMargin, kFieldTop + 20), nullptr, 0,
                              save ? sel->getDefaultSaveName().c_str() : "");
        field->setBackColor(kListBack);
        field->setFontColor(kBlackCColor);
        field->setHoriAlign(kLeftText);
        field->setTextInset(CPoint(3, 0));
        addView(field);
        UTF8String types;
        for (const auto& e : sel->getFileExtensions())
            types += (types.empty() ? "*." : ", *.") + e.getExtension();
        if (types.empty() && sel->getDefaultExtension())
            types = "*." + sel->getDefaultExtension()->getExtension();
        auto* hint =
            label(CRect(kMargin, kButtonTop, w - 190, kButtonTop + 22), types, kNormalFontSmall);
        hint->setHoriAlign(kLeftText);
        button(CRect(w - 180, kButtonTop, w - 100, kButtonTop + 22), "Cancel",
               [this] { close({}); });
        button(CRect(w - 90, kButtonTop, w - kMargin, kButtonTop + 22), save ? "Save" : "Open",
               [this] { accept(); });

        const UTF8String start = sel->getInitialDirectory();
        std::error_code error;
        if (!start.empty() && fs::is_directory(fromUtf8(start), error))
            enter(fromUtf8(start));
        else if (!homeFolder().empty())
            enter(fromUtf8(homeFolder()));
        else
            enter(fs::current_path(error));
    }

    CTextEdit* getField() const { return field; }

    int32_t onKeyDown(VstKeyCode& key) override {
        switch (key.virt) {
        case VKEY_RETURN:
        case VKEY_ENTER: accept(); return 1;
        case VKEY_ESCAPE: close({}); return 1;
        case VKEY_UP: moveSelection(-1); return 1;
        case VKEY_DOWN: moveSelection(1); return 1;
        case VKEY_PAGEUP: moveSelection(-kRows); return 1;
        case VKEY_PAGEDOWN: moveSelection(kRows); return 1;
        default: return field->onKeyDown(key);
        }
    }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
        if (!size.pointInside(where)) {
            close({});  // a click outside the panel cancels
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
        }
        return CViewContainer::onMouseDown(where, buttons);
    }

    bool onWheel(const CPoint& where, const CMouseWheelAxis&, const float& distance,
                 const CButtonState&) override {
        if (size.pointInside(where))
            scrollTo(top - static_cast<int32_t>(distance * 3));
        return true;
    }

    bool removed(CView* parent) override {
        // The frame is closing with the browser still open: report a cancel.
        bool r = CViewContainer::removed(parent);
        if (selector) {
            CNewFileSelector* s = selector;
            selector = nullptr;
            s->finish({});
        }
        return r;
    }

private:
    CTextLabel* label(const CRect& r, const UTF8String& text, CFontRef font) {
        auto* l = new CTextLabel(r, text.c_str());
        l->setBackColor(kTransparentCColor);
        l->setFrameColor(kTransparentCColor);
        l->setFontColor(kPanelText);
        l->setFont(font);
        addView(l);
        return l;
    }

    void button(const CRect& r, const char* title, std::function<void()> onClick) {
        auto* b = new ClickLabel(r, std::move(onClick));
        b->setText(title);
        b->setBackColor(kButtonBack);
        b->setFrameColor(kPanelText);
        b->setFontColor(kPanelText);
        b->setFont(kNormalFont);
        addView(b);
    }

    // Files of the selector's types (its default type included); any file when it has none.
    bool matches(const fs::path& file) const {
        std::vector<CFileExtension> types = selector->getFileExtensions();
        if (const CFileExtension* e = selector->getDefaultExtension())
            types.push_back(*e);
        const UTF8String ext = lowerCase(toUtf8(file.extension()));
        for (const auto& e : types)
            if (ext == "." + lowerCase(e.getExtension()))
                return true;
        return types.empty();
    }

    // Lists a folder: "..", its subfolders, then its matching files, each by name
    // regardless of case; hidden ones are left out.
    void enter(const fs::path& where) {
        folder = where.lexically_normal();
        std::vector<Entry> folders, files;
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const UTF8String name = toUtf8(it->path().filename());
            if (name.empty() || name[0] == '.')
                continue;
            std::error_code typeError;
            if (it->is_directory(typeError))
                folders.push_back({name, true});
            else if (matches(it->path()))
                files.push_back({name, false});
        }
        auto byName = [](const Entry& a, const Entry& b) {
            return lowerCase(a.name) < lowerCase(b.name);
        };
        std::sort(folders.begin(), folders.end(), byName);
        std::sort(files.begin(), files.end(), byName);
        entries.clear();
        if (folder.has_relative_path())
            entries.push_back({"..", true});
        entries.insert(entries.end(), folders.begin(), folders.end());
        entries.insert(entries.end(), files.begin(), files.end());
        selected = -1;
        top = 0;
        showFolder();
        showRows();
    }

    void showFolder() {
        UTF8String text = toUtf8(folder);
        const CCoord room = folderLabel->getWidth();
        while (text.size() > 4 && kNormalFontSmall->getStringWidth(text.c_str()) > room)
            text = "..." + text.substr(4);  // the end of a long path says most
        folderLabel->setText(text);
    }

    void showRows() {
        for (int32_t i = 0; i < kRows; ++i) {
            const int32_t index = top + i;
            const bool used = index < static_cast<int32_t>(entries.size());
            const Entry* e = used ? &entries[static_cast<size_t>(index)] : nullptr;
            rows[i]->setText(!e ? "" : e->folder ? e->name + "/" : e->name);
            rows[i]->setBackColor(index == selected ? kSelectedBack : kListBack);
            rows[i]->setFontColor(index == selected ? kSelectedText
                                  : e && e->folder  ? kFolderText
                                                    : kListText);
            rows[i]->invalid();
        }
    }

    void scrollTo(int32_t first) {
        const int32_t last = std::max<int32_t>(0, static_cast<int32_t>(entries.size()) - kRows);
        top = std::clamp(first, 0, last);
        showRows();
    }

    void moveSelection(int32_t by) {
        if (entries.empty())
            return;
        selected = std::clamp(selected + by, 0, static_cast<int32_t>(entries.size()) - 1);
        const Entry& e = entries[static_cast<size_t>(selected)];
        field->setText(e.folder ? e.name + "/" : e.name);
        if (selected < top)
            scrollTo(selected);
        else if (selected >= top + kRows)
            scrollTo(selected - kRows + 1);
        else
            showRows();
    }

    void clickRow(int32_t row) {
        const int32_t index = top + row;
        if (index >= static_cast<int32_t>(entries.size()))
            return;
        const Entry e = entries[static_cast<size_t>(index)];
        if (e.folder) {
            enter(folder / fromUtf8(e.name));
            return;
        }
        field->setText(e.name);
        if (selector->getStyle() == CNewFileSelector::kSelectSaveFile) {
            selected = index;
            showRows();
            return;
        }
        close({toUtf8(folder / fromUtf8(e.name))});
    }

    // What the field names: a folder is entered, a file is the answer (saving: with the
    // extension added when it has none). A relative name is taken in the current folder.
    void accept() {
        UTF8String typed = field->isEditingText() ? field->getEditText() : field->getText();
        if (typed.empty())
            return;
        if (typed.size() > 1 && typed[0] == '~' && (typed[1] == '/' || typed[1] == '\\'))
            typed = homeFolder() + typed.substr(1);
        fs::path path = fromUtf8(typed);
        // A name or a relative path is taken in the current folder; a path from a root
        // ("/tmp/x", also on Windows, or "C:\\x") stays as typed.
        if (!path.has_root_directory() && !path.has_root_name())
            path = (folder / path).lexically_normal();
        std::error_code error;
        if (fs::is_directory(path, error)) {
            field->setText("");
            enter(path);
            return;
        }
        const CFileExtension* ext = selector->getDefaultExtension();
        if (!ext && !selector->getFileExtensions().empty())
            ext = &selector->getFileExtensions().front();
        if (selector->getStyle() == CNewFileSelector::kSelectSaveFile && ext &&
            !path.has_extension())
            path += "." + ext->getExtension();
        close({toUtf8(path)});
    }

    void close(std::vector<UTF8String> files) {
        CNewFileSelector* s = selector;
        selector = nullptr;
        SharedPointer<FileBrowserPanel> keep(this);
        if (CFrame* frame = getFrame()) {
            frame->setFocusView(nullptr);
            frame->setModalView(nullptr);
            frame->removeView(this);
        }
        if (s)
            s->finish(std::move(files));
    }

    CNewFileSelector* selector;
    CTextLabel* folderLabel{nullptr};
    CTextLabel* rows[kRows]{};
    CTextEdit* field{nullptr};
    fs::path folder;
    std::vector<Entry> entries;
    int32_t selected{-1};
    int32_t top{0};
};

class InFrameFileSelector : public FileSelectorBackend {
public:
    bool run(CNewFileSelector* selector) override {
        CFrame* frame = selector->getFrame();
        if (!frame || !frame->isOpen() || frame->getModalView())
            return false;
        const CRect fr = frame->getViewSize();
        const CCoord w = std::min<CCoord>(kWidth, fr.getWidth());
        const CCoord h = std::min<CCoord>(kHeight, fr.getHeight());
        const CCoord x = fr.left + (fr.getWidth() - w) / 2, y = fr.top + (fr.getHeight() - h) / 2;
        auto* panel = new FileBrowserPanel(selector, CRect(x, y, x + w, y + h));
        frame->addView(panel);
        frame->setModalView(panel);
        frame->setFocusView(panel->getField());
        return true;
    }
};

}  // namespace

std::unique_ptr<FileSelectorBackend> createInFrameFileSelector() {
    return std::make_unique<InFrameFileSelector>();
}

}  // namespace VSTGUI
