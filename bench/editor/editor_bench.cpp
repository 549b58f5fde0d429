// The editor window of the built module, offscreen: an idle timer tick with nothing
// changed, a full refresh from the Synth with its repaint, one step of a knob drag with
// its repaint, one painting step on a waveform view, a change to 128 bars, and a repaint
// of the whole window; the knob step and the whole window also at content scale factors
// 1.5 and 2 (the argument in hundredths). Targets: 0.2 ms, 5 ms, 0.5 ms (1 ms at factor
// 2), 1 ms, 5 ms and 12 ms at factor 2.
#include <benchmark/benchmark.h>

#include "synth/command_tags.h"
#include "editor/editor_probe.h"
#include "editor/layout.h"
#include "module_loader.h"
#include "plugin_instance.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "vstgui/lib/cbuttonstate.h"

#include <memory>
#include <string>

namespace taluma {
DEF_CLASS_IID(IEditorProbe)

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

class EditorRig {
public:
    explicit EditorRig(double scale = 1.0) : scale_(scale) {
        std::string error;
        module_ = testhost::Module::load(TALUMA_BUNDLE_PATH, error);
        if (module_)
            plugin_ = testhost::PluginInstance::create(*module_, error);
        if (plugin_)
            view_ = plugin_->controller()->createView(ViewType::kEditor);
        static int parent = 0;
        FUnknownPtr<IPlugViewContentScaleSupport> scaling(view_);
        if (!scaling || scaling->setContentScaleFactor(float(scale)) != kResultTrue ||
            view_->attached(&parent, kPlatformTypeOffscreen) != kResultTrue ||
            view_->queryInterface(IEditorProbe::iid, reinterpret_cast<void**>(&probe_)) !=
                kResultOk)
            return;
        for (const testhost::RecordedMessage& m : plugin_->messagesToController())
            if (m.id == "Processor:openGUI")
                synthAddress_ = m.synth;
        int32 w = 0, h = 0;
        probe_->render(w, h);
    }
    ~EditorRig() {
        if (probe_)
            probe_->release();
        if (view_) {
            view_->removed();
            view_->release();
        }
    }
    bool ok() const { return probe_ && !synthAddress_.empty(); }
    IEditorProbe* probe() const { return probe_; }
    testhost::PluginInstance& plugin() { return *plugin_; }

    // The middle of the first view with this tag, in window pixels.
    bool centreOf(int32 tag, double& x, double& y) const {
        for (int32 i = 0; i < probe_->viewCount(); ++i) {
            ProbeView v{};
            if (probe_->viewInfo(i, v) == kResultOk && v.tag == tag) {
                x = (v.left + v.right) / 2.0 * scale_;
                y = (v.top + v.bottom) / 2.0 * scale_;
                return true;
            }
        }
        return false;
    }
    double scale() const { return scale_; }
    void repaint() {
        int32 w = 0, h = 0;
        probe_->render(w, h);
    }
    // A command to the processor as the window sends it; the answer reaches the window.
    void command(int32 tag, double value) {
        IMessage* change = plugin_->allocateMessage();
        change->setMessageID("GUIEditor:valueChange");
        change->getAttributes()->setInt("tag", tag);
        change->getAttributes()->setFloat("val", value);
        plugin_->sendToProcessor(change);
        change->release();
    }
    // The page the Synth shows, then the processor's "here is my Synth" as after a
    // state change: the window refreshes everything from it.
    void refreshWithPage(int32 page) {
        command(cmd::global::kPage, page);
        IMessage* opened = plugin_->allocateMessage();
        opened->setMessageID("Processor:openGUI");
        opened->getAttributes()->setBinary("synth", synthAddress_.data(),
                                           uint32(synthAddress_.size()));
        FUnknownPtr<IConnectionPoint>(plugin_->controller())->notify(opened);
        opened->release();
    }

private:
    double scale_;
    std::unique_ptr<testhost::Module> module_;
    std::unique_ptr<testhost::PluginInstance> plugin_;
    IPlugView* view_ = nullptr;
    IEditorProbe* probe_ = nullptr;
    std::vector<uint8_t> synthAddress_;
};

// Two timer ticks (the refresh tick runs on every second one) with their repaint.
void BM_IdleTicksNothingChanged(benchmark::State& state) {
    EditorRig rig;
    if (!rig.ok())
        return state.SkipWithError("the editor did not open");
    const uint32 interval = uint32(rig.probe()->idleRate());
    for (auto _ : state) {
        rig.probe()->advanceTime(2 * interval);
        rig.repaint();
    }
    state.SetLabel("two ticks per iteration");
}
BENCHMARK(BM_IdleTicksNothingChanged)->Unit(benchmark::kMicrosecond);

void BM_FullRefreshWithRepaint(benchmark::State& state) {
    EditorRig rig;
    if (!rig.ok())
        return state.SkipWithError("the editor did not open");
    int32 page = 1;
    for (auto _ : state) {
        page = page == 1 ? 3 : 1;  // Logic and Settings in turn: the page is repainted
        rig.refreshWithPage(page);
        rig.repaint();
    }
}
BENCHMARK(BM_FullRefreshWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_KnobDragStepWithRepaint(benchmark::State& state) {
    EditorRig rig(state.range(0) / 100.0);
    double x = 0, y = 0;
    if (!rig.ok() || !rig.centreOf(cmd::editorTag(cmd::global::kVolume), x, y))
        return state.SkipWithError("the editor did not open");
    rig.probe()->mouse(IEditorProbe::kDown, x, y, 2);
    double dy = 0;
    for (auto _ : state) {
        dy = dy > 0 ? 0 : 2 * rig.scale();  // one step down and back up: a new value each time
        rig.probe()->mouse(IEditorProbe::kMove, x, y + dy, 2);
        rig.repaint();
    }
    rig.probe()->mouse(IEditorProbe::kUp, x, y, 2);
}
BENCHMARK(BM_KnobDragStepWithRepaint)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_WholeWindowRepaint(benchmark::State& state) {
    EditorRig rig(state.range(0) / 100.0);
    if (!rig.ok())
        return state.SkipWithError("the editor did not open");
    for (auto _ : state) {
        rig.probe()->invalidate();
        rig.repaint();
    }
}
BENCHMARK(BM_WholeWindowRepaint)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

// Opening the window (frame, layers, bitmaps, first refresh and repaint) and closing it.
void BM_OpenAndClose(benchmark::State& state) {
    EditorRig rig;
    if (!rig.ok())
        return state.SkipWithError("the editor did not open");
    for (auto _ : state) {
        IPlugView* view = rig.plugin().controller()->createView(ViewType::kEditor);
        static int parent = 0;
        view->attached(&parent, kPlatformTypeOffscreen);
        FUnknownPtr<IEditorProbe> probe(view);
        int32 w = 0, h = 0;
        probe->render(w, h);
        view->removed();
        view->release();
    }
}
BENCHMARK(BM_OpenAndClose)->Unit(benchmark::kMillisecond);

// One step of painting on waveform view A with the right button: the drawing command, the
// processor's answer and the bar's repaint.
void BM_PaintingStepWithRepaint(benchmark::State& state) {
    EditorRig rig;
    if (!rig.ok())
        return state.SkipWithError("the editor did not open");
    const layout::Rect& view = layout::waveeditor::waveView[0];
    const double x = view.left + 100.5, top = view.top + 64.5;
    rig.probe()->mouse(IEditorProbe::kDown, x, top, VSTGUI::kRButton);
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 128;  // a new level every time
        rig.probe()->mouse(IEditorProbe::kMove, x, top + row, VSTGUI::kRButton);
        rig.repaint();
    }
    rig.probe()->mouse(IEditorProbe::kUp, x, top + row, VSTGUI::kRButton);
}
BENCHMARK(BM_PaintingStepWithRepaint)->Unit(benchmark::kMicrosecond);

// Table A from 32 to 128 cells as the processor answers the size menu's command: 128 new
// bars and the repaint. The way back to 32 cells is not timed.
void BM_SizeChangeTo128BarsWithRepaint(benchmark::State& state) {
    EditorRig rig;
    if (!rig.ok())
        return state.SkipWithError("the editor did not open");
    const int32 size = cmd::tableCommand(0, cmd::kTableMenu, cmd::menu::kTableSize);
    for (auto _ : state) {
        rig.command(size, 1.0);  // 128 cells
        rig.repaint();
        state.PauseTiming();
        rig.command(size, 0.6);  // 32 cells
        rig.repaint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SizeChangeTo128BarsWithRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace taluma
