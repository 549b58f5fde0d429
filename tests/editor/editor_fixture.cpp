#include "editor_fixture.h"

#include <iomanip>

namespace taluma {
namespace testhost {

std::ostream& operator<<(std::ostream& out, const HostEdit& e) {
    static const char* const kKinds[] = {"begin", "perform", "end"};
    out << kKinds[e.kind] << "(0x" << std::hex << e.id << std::dec;
    if (e.kind == HostEdit::kPerform)
        out << ", " << std::setprecision(9) << e.value;
    return out << ")";
}

}  // namespace testhost

namespace test {

using namespace Steinberg;
using namespace Steinberg::Vst;

std::ostream& operator<<(std::ostream& out, const Sent& s) {
    return out << "(0x" << std::hex << s.tag << std::dec << ", " << std::setprecision(9) << s.val
               << ")";
}

void EditorFixture::SetUp() {
    BundleFixture::SetUp();
    openEditor();
}

void EditorFixture::TearDown() {
    editor.reset();
    BundleFixture::TearDown();
}

void EditorFixture::openEditor() {
    editor.reset();
    std::string error;
    editor = testhost::OffscreenEditor::open(plugin->controller(), error);
    ASSERT_TRUE(editor) << error;
    clearLogs();
}

void EditorFixture::freshInstance() {
    editor.reset();
    plugin.reset();
    std::string error;
    plugin = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(plugin) << error;
    openEditor();
}

void EditorFixture::clearLogs() {
    plugin->clearMessages();
    plugin->componentHandler().clear();
}

std::vector<Sent> EditorFixture::sent() const {
    std::vector<Sent> out;
    for (const testhost::RecordedMessage& m : plugin->messagesToProcessor())
        if (m.id == "GUIEditor:valueChange")
            out.push_back({m.tag, m.val});
    return out;
}

std::vector<testhost::RecordedMessage> EditorFixture::fileRequests() const {
    std::vector<testhost::RecordedMessage> out;
    for (const testhost::RecordedMessage& m : plugin->messagesToProcessor())
        if (m.id == "GUIEditor:fileSelect")
            out.push_back(m);
    return out;
}

void EditorFixture::automate(uint32_t id, double normalized) {
    plugin->parameterChange(id, 0, normalized);
    render(64);
}

}  // namespace test
}  // namespace taluma
