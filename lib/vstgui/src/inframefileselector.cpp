// The in-frame path entry: a modal panel with the title, the accepted file types
// and a text field. Enter accepts the typed path, Escape cancels.
#include <cstdlib>
#include "fileselectorbackend.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ctextedit.h"

namespace VSTGUI {
namespace {

constexpr CColor kPanelBack{60, 60, 60, 240};
constexpr CColor kPanelText{230, 230, 230, 255};
constexpr CColor kFieldBack{255, 255, 255, 255};

class FileEntryPanel : public CViewContainer {
public:
    FileEntryPanel(CNewFileSelector* sel, const CRect& r) : CViewContainer(r), selector(sel) {
        setBackgroundColor(kPanelBack);
        const CCoord w = r.getWidth();
        auto* title = new CTextLabel(CRect(8, 6, w - 8, 24), sel->getTitle().c_str());
        title->setBackColor(kTransparentCColor);
        title->setFrameColor(kTransparentCColor);
        title->setFontColor(kPanelText);
        title->setFont(kNormalFontBig);
        addView(title);
        UTF8String types = "Type a path, Enter accepts, Escape cancels.";
        for (const auto& e : sel->getFileExtensions())
            types += " *." + e.getExtension();
        auto* hint = new CTextLabel(CRect(8, 26, w - 8, 42), types.c_str());
        hint->setBackColor(kTransparentCColor);
        hint->setFrameColor(kTransparentCColor);
        hint->setFontColor(kPanelText);
        hint->setHoriAlign(kLeftText);
        addView(hint);
        UTF8String initial;
        if (sel->getStyle() == CNewFileSelector::kSelectSaveFile)
            initial = sel->getDefaultSaveName();
        field = new CTextEdit(CRect(8, 48, w - 8, 68), nullptr, 0, initial.c_str());
        field->setBackColor(kFieldBack);
        field->setFontColor(kBlackCColor);
        field->setHoriAlign(kLeftText);
        addView(field);
    }

    CTextEdit* getField() const { return field; }

    int32_t onKeyDown(VstKeyCode& key) override {
        if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER) {
            UTF8String path = field->isEditingText() ? field->getEditText() : field->getText();
            if (!path.empty())
                close(complete(path));
            return 1;
        }
        if (key.virt == VKEY_ESCAPE) {
            close({});
            return 1;
        }
        return field->onKeyDown(key);
    }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
        if (!size.pointInside(where))
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;  // modal: clicks outside go nowhere
        return CViewContainer::onMouseDown(where, buttons);
    }

    bool removed(CView* parent) override {
        // The frame is closing with the entry still open: report a cancel.
        bool r = CViewContainer::removed(parent);
        if (selector) {
            CNewFileSelector* s = selector;
            selector = nullptr;
            s->finish({});
        }
        return r;
    }

private:
    std::vector<UTF8String> complete(UTF8String path) const {
        if (path.size() > 1 && path[0] == '~' && path[1] == '/')
            if (const char* home = std::getenv("HOME"))
                path = home + path.substr(1);
        const CFileExtension* ext = selector->getDefaultExtension();
        if (!ext && !selector->getFileExtensions().empty())
            ext = &selector->getFileExtensions().front();
        if (selector->getStyle() == CNewFileSelector::kSelectSaveFile && ext) {
            auto slash = path.find_last_of("/\\");
            auto dot = path.find_last_of('.');
            if (dot == UTF8String::npos || (slash != UTF8String::npos && dot < slash))
                path += "." + ext->getExtension();
        }
        return {path};
    }

    void close(std::vector<UTF8String> files) {
        CNewFileSelector* s = selector;
        selector = nullptr;
        SharedPointer<FileEntryPanel> keep(this);
        if (CFrame* frame = getFrame()) {
            frame->setFocusView(nullptr);
            frame->setModalView(nullptr);
            frame->removeView(this);
        }
        if (s)
            s->finish(std::move(files));
    }

    CNewFileSelector* selector;
    CTextEdit* field;
};

class InFrameFileSelector : public FileSelectorBackend {
public:
    bool run(CNewFileSelector* selector) override {
        CFrame* frame = selector->getFrame();
        if (!frame || !frame->isOpen() || frame->getModalView())
            return false;
        const CRect fr = frame->getViewSize();
        const CCoord w = std::min<CCoord>(420, fr.getWidth()), h = 76;
        const CCoord x = fr.left + (fr.getWidth() - w) / 2, y = fr.top + (fr.getHeight() - h) / 2;
        auto* panel = new FileEntryPanel(selector, CRect(x, y, x + w, y + h));
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
