#include "offscreen_editor.h"

#include "vstgui/lib/vstkeycode.h"

#include <gtest/gtest.h>

namespace taluma {
DEF_CLASS_IID(IEditorProbe)

namespace testhost {

using namespace Steinberg;

std::unique_ptr<OffscreenEditor> OffscreenEditor::open(Vst::IEditController* controller,
                                                       std::string& error) {
    std::unique_ptr<OffscreenEditor> editor(new OffscreenEditor());
    editor->view_ = controller ? controller->createView(Vst::ViewType::kEditor) : nullptr;
    if (!editor->view_) {
        error = "createView(\"editor\") gave no view";
        return nullptr;
    }
    static int parent = 0;  // any address: nothing is shown
    if (editor->view_->attached(&parent, kPlatformTypeOffscreen) != kResultTrue) {
        error = "the view did not open offscreen";
        return nullptr;
    }
    editor->attached_ = true;
    if (editor->view_->queryInterface(IEditorProbe::iid,
                                      reinterpret_cast<void**>(&editor->probe_)) != kResultOk) {
        error = "the view has no IEditorProbe";
        return nullptr;
    }
    return editor;
}

OffscreenEditor::~OffscreenEditor() {
    if (probe_)
        probe_->release();
    if (view_) {
        if (attached_)
            view_->removed();
        view_->release();
    }
}

std::vector<ProbeView> OffscreenEditor::views() const {
    std::vector<ProbeView> all(size_t(probe_->viewCount()));
    for (size_t i = 0; i < all.size(); ++i)
        probe_->viewInfo(int32(i), all[i]);
    return all;
}

int32_t OffscreenEditor::find(int32_t tag, int occurrence) const {
    const int32 count = probe_->viewCount();
    for (int32 i = 0; i < count; ++i) {
        ProbeView v{};
        if (probe_->viewInfo(i, v) == kResultOk && v.tag == tag && occurrence-- == 0)
            return i;
    }
    return -1;
}

ProbeView OffscreenEditor::view(int32_t tag, int occurrence) const {
    ProbeView v{};
    const int32_t index = find(tag, occurrence);
    EXPECT_GE(index, 0) << "no view with tag " << std::hex << tag << " #" << occurrence;
    if (index >= 0)
        probe_->viewInfo(index, v);
    return v;
}

ProbeView OffscreenEditor::viewAt(const char* kind, int32_t left, int32_t top, int32_t width,
                                  int32_t height) const {
    ProbeView found{};
    bool any = false;
    for (const ProbeView& v : views())
        if (std::string(v.kind) == kind && v.left == left && v.top == top &&
            v.right == left + width && v.bottom == top + height) {
            found = v;
            any = true;
        }
    EXPECT_TRUE(any) << "no " << kind << " at " << left << ", " << top;
    return found;
}

std::vector<std::string> OffscreenEditor::menuEntries(int32_t tag, int occurrence) const {
    std::vector<std::string> entries;
    const int32_t index = find(tag, occurrence);
    char title[128];
    for (int32 e = 0; index >= 0 && probe_->menuEntry(index, e, title) == kResultOk; ++e)
        entries.emplace_back(title);
    return entries;
}

void OffscreenEditor::click(double x, double y, int32_t buttons) {
    probe_->mouse(IEditorProbe::kDown, x, y, buttons);
    probe_->mouse(IEditorProbe::kUp, x, y, buttons);
}

void OffscreenEditor::clickView(int32_t tag, int occurrence, int32_t buttons) {
    const ProbeView v = view(tag, occurrence);
    click((v.left + v.right) / 2.0, (v.top + v.bottom) / 2.0, buttons);
}

void OffscreenEditor::drag(int32_t tag, int occurrence, double dy, int steps) {
    const ProbeView v = view(tag, occurrence);
    const double x = (v.left + v.right) / 2.0, y = (v.top + v.bottom) / 2.0;
    probe_->mouse(IEditorProbe::kDown, x, y, kLeft);
    for (int i = 1; i <= steps; ++i)
        probe_->mouse(IEditorProbe::kMove, x, y + dy * i / steps, kLeft);
    probe_->mouse(IEditorProbe::kUp, x, y + dy, kLeft);
}

void OffscreenEditor::wheel(int32_t tag, int occurrence, float notches) {
    const ProbeView v = view(tag, occurrence);
    probe_->wheel((v.left + v.right) / 2.0, (v.top + v.bottom) / 2.0, notches);
}

void OffscreenEditor::type(int32_t tag, int occurrence, const std::string& text) {
    clickView(tag, occurrence);
    for (char c : text)
        probe_->key(static_cast<unsigned char>(c), 0, 0);
    probe_->key(0, VSTGUI::VKEY_RETURN, 0);
}

void OffscreenEditor::choose(int32_t tag, int occurrence, int index) {
    clickView(tag, occurrence);
    for (int i = 0; i <= index; ++i)
        probe_->key(0, VSTGUI::VKEY_DOWN, 0);
    probe_->key(0, VSTGUI::VKEY_RETURN, 0);
}

void OffscreenEditor::key(int32_t character, int32_t virtualKey, int32_t modifiers) {
    probe_->key(character, virtualKey, modifiers);
}

void OffscreenEditor::tick(uint32_t milliseconds) {
    probe_->advanceTime(milliseconds);
}

std::vector<uint32_t> OffscreenEditor::render(int32_t& width, int32_t& height) {
    const uint32* pixels = probe_->render(width, height);
    return pixels ? std::vector<uint32_t>(pixels, pixels + size_t(width) * size_t(height))
                  : std::vector<uint32_t>();
}

}  // namespace testhost
}  // namespace taluma
