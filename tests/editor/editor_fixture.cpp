#include "editor_fixture.h"

#include "vst3/messages.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "vstgui/lib/offscreen.h"
#include "vstgui/lib/vstkeycode.h"

#include <cmath>
#include <iomanip>

namespace taluma {
DEF_CLASS_IID(IEditorProbe)

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

tresult PLUGIN_API HostWindow::resizeView(IPlugView* view, ViewRect* size) {
    if (!view || !size)
        return kInvalidArgument;
    resizes.push_back(*size);
    return refuse ? kResultFalse : view->onSize(size);
}

void EditorFixture::SetUp() {
    BundleFixture::SetUp();
    openEditor();
}

void EditorFixture::TearDown() {
    closeEditor();
    BundleFixture::TearDown();
}

void EditorFixture::openEditor() {
    closeEditor();
    static int parent = 0;  // any address: nothing is shown
    view = plugin->controller()->createView(Vst::ViewType::kEditor);
    ASSERT_TRUE(view) << "createView(\"editor\") gave no view";
    host = new HostWindow;
    view->setFrame(host);
    scale = 1.0;
    ASSERT_EQ(view->attached(&parent, kPlatformTypeOffscreen), kResultTrue);
    ASSERT_EQ(view->queryInterface(IEditorProbe::iid, reinterpret_cast<void**>(&probe)), kResultOk);
    clearLogs();
}

void EditorFixture::closeEditor() {
    if (probe) {
        probe->release();
        view->removed();
    }
    if (view) {
        view->setFrame(nullptr);
        view->release();
    }
    if (host)
        host->release();
    probe = nullptr;
    view = nullptr;
    host = nullptr;
}

tresult EditorFixture::setScale(float factor) {
    const tresult result =
        FUnknownPtr<IPlugViewContentScaleSupport>(view)->setContentScaleFactor(factor);
    if (result == kResultTrue)
        scale = factor;
    return result;
}

void EditorFixture::freshInstance() {
    closeEditor();
    plugin.reset();
    std::string error;
    plugin = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(plugin) << error;
    openEditor();
}

void EditorFixture::stroke(const std::vector<Point>& points, int32_t buttons) {
    mouse(IEditorProbe::kDown, points[0].x, points[0].y, buttons);
    for (size_t i = 1; i < points.size(); ++i)
        mouse(IEditorProbe::kMove, points[i].x, points[i].y, buttons);
    mouse(IEditorProbe::kUp, points.back().x, points.back().y, buttons);
}

void EditorFixture::type(const Rect& r, const std::string& text) {
    click(r);
    for (char c : text)
        key(static_cast<unsigned char>(c));
    key(0, VSTGUI::VKEY_RETURN);
}

void EditorFixture::openMenu(const Rect& r, int index, int sub) {
    click(r);
    for (int i = 0; i <= index; ++i)
        key(0, VSTGUI::VKEY_DOWN);
    if (sub >= 0)
        key(0, VSTGUI::VKEY_RIGHT);
    for (int i = 0; i < sub; ++i)
        key(0, VSTGUI::VKEY_DOWN);
}

void EditorFixture::choose(const Rect& r, int index, int sub) {
    openMenu(r, index, sub);
    key(0, VSTGUI::VKEY_RETURN);
}

void EditorFixture::answerFileDialog(const std::string& path) {
    for (int i = 0; i < 64; ++i)  // whatever the entry holds
        key(0, VSTGUI::VKEY_BACK);
    for (char c : path)
        key(c);
    key(0, VSTGUI::VKEY_RETURN);
}

std::vector<ProbeView> EditorFixture::views() const {
    std::vector<ProbeView> all(size_t(probe->viewCount()));
    for (size_t i = 0; i < all.size(); ++i)
        probe->viewInfo(int32(i), all[i]);
    return all;
}

int32_t EditorFixture::indexAt(const Rect& r) const {
    const std::vector<ProbeView> all = views();
    int32_t found = -1;
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].left == r.left && all[i].top == r.top && all[i].right == r.right() &&
            all[i].bottom == r.bottom() && (found < 0 || all[i].visible || !all[found].visible))
            found = int32_t(i);
    EXPECT_GE(found, 0) << "no view at " << r.left << ", " << r.top << " (" << r.width << " x "
                        << r.height << ")";
    return found;
}

std::vector<std::string> EditorFixture::menuEntries(const Rect& r) const {
    std::vector<std::string> entries;
    const int32_t index = indexAt(r);
    char title[128];
    for (int32 e = 0; probe->menuEntry(index, e, title) == kResultOk; ++e)
        entries.emplace_back(title);
    return entries;
}

void EditorFixture::expectPicture(const Rect& place, const std::string& name) {
    auto scaled = [&](int v) { return int(std::lround(v * scale)); };
    const Rect area{scaled(place.left), scaled(place.top),
                    scaled(place.right()) - scaled(place.left),
                    scaled(place.bottom()) - scaled(place.top)};
    int32 width = 0, height = 0;
    const uint32* pixels = probe->render(width, height);
    ASSERT_TRUE(pixels && width >= area.right() && height >= area.bottom());
    VSTGUI::PixelBuffer image(area.width, area.height), expected;
    for (int32_t y = 0; y < area.height; ++y)
        for (int32_t x = 0; x < area.width; ++x)
            image.data()[y * area.width + x] = pixels[(y + area.top) * width + x + area.left];
    const std::string golden = std::string(TALUMA_EDITOR_GOLDEN_DIR) + "/" + name + ".png";
    if (std::getenv("TALUMA_UPDATE_GOLDEN")) {
        ASSERT_TRUE(VSTGUI::Offscreen::writePNG(image, golden)) << golden;
        return;
    }
    ASSERT_TRUE(VSTGUI::Offscreen::readPNG(golden, expected)) << "missing " << golden;
    ASSERT_EQ(expected.getWidth(), image.getWidth());
    ASSERT_EQ(expected.getHeight(), image.getHeight());
    int differing = 0;  // by more than a platform's rounding step in a channel
    for (int32_t y = 0; y < image.getHeight(); ++y)
        for (int32_t x = 0; x < image.getWidth(); ++x)
            for (int shift = 0; shift < 24; shift += 8)
                differing += std::abs(int(image.at(x, y) >> shift & 0xFF) -
                                      int(expected.at(x, y) >> shift & 0xFF)) > 2;
    EXPECT_EQ(differing, 0) << name;
    if (differing)
        VSTGUI::Offscreen::writePNG(image,
                                    std::string(TALUMA_EDITOR_OUTPUT_DIR) + "/" + name + ".png");
}

std::vector<testhost::RecordedMessage> EditorFixture::messages(const char* id) const {
    std::vector<testhost::RecordedMessage> out;
    for (const testhost::RecordedMessage& m : plugin->messagesToProcessor())
        if (m.id == id)
            out.push_back(m);
    return out;
}

std::vector<Sent> EditorFixture::sent() const {
    std::vector<Sent> out;
    for (const testhost::RecordedMessage& m : messages(taluma::message::kValueChange))
        out.emplace_back(m.tag, m.val);
    return out;
}

void EditorFixture::run(const std::vector<Row>& rows, const Act& prepare) {
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i + 1);
        const Row& row = rows[i];
        freshInstance();
        prepare();
        clearLogs();
        row.act();
        const std::vector<HostEdit> gesture{begin(row.param), perform(row.param, row.norm),
                                            end(row.param)};
        EXPECT_EQ(edits(), row.param ? gesture : std::vector<HostEdit>());
        EXPECT_EQ(sent(), (row.tag ? std::vector<Sent>{{row.tag, row.val}} : std::vector<Sent>()));
        EXPECT_EQ(plugin->componentHandler().openGestures(), 0);
        for (const Shown& s : row.shown) {
            SCOPED_TRACE(testing::Message() << "the view at " << s.at.left << ", " << s.at.top);
            if (s.text)
                EXPECT_EQ(text(s.at), s.text);
            else
                EXPECT_FLOAT_EQ(value(s.at), s.value);
        }
    }
}

void EditorFixture::command(int64_t tag, std::optional<double> value) {
    Vst::IMessage* m = plugin->allocateMessage();
    ASSERT_TRUE(m);
    m->setMessageID(taluma::message::kValueChange);
    m->getAttributes()->setInt(taluma::message::kTag, tag);
    if (value)
        m->getAttributes()->setFloat(taluma::message::kValue, *value);
    plugin->sendToProcessor(m);
    m->release();
}

}  // namespace test
}  // namespace taluma
