#include "editor/preset_browser.h"

#include "editor/control_values.h"
#include "editor/editor_tags.h"
#include "editor/layout.h"
#include "editor/name_prompt.h"
#include "editor/skin_palette.h"
#include "vst3/factory_bank_folder.h"
#include "vst3/main_vst_controller.h"
#include "vst3/messages.h"

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;

namespace {

constexpr int32_t kSaveEntry = 0x7FFF;  // the menu's last entry; the others are list indices
constexpr const char* kChangedMark = " *";

// A name that makes a file name: characters that folders use are replaced, spaces at
// either end dropped.
std::string fileNameOf(std::string name) {
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|' || (c >= 0 && c < 0x20))
            c = '-';
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

}  // namespace

void PresetBrowser::showIn(CTextLabel* label) {
    label_ = label;
    show();
}

void PresetBrowser::openMenu(CFrame* frame, IControlListener* listener) {
    if (!frame || !controller_)
        return;
    presets_.scan(taluma::factoryBankFolder(), taluma::userPresetFolder());
    const std::string& current = controller_->presetSelection().path;
    menu_ = makeOwned<COptionMenu>(CRect(), listener, cmd::editorTag(cmd::control::kPresetMenu));
    for (const std::string& category : presets_.categories()) {
        auto* sub = new COptionMenu();
        const auto& entries = presets_.entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].category != category)
                continue;
            CMenuItem* item = sub->addEntry(new CMenuItem(entries[i].name, int32_t(i)));
            item->setChecked(entries[i].path == current);
        }
        menu_->addEntry(new CMenuItem(category, sub));
        sub->forget();
    }
    if (presets_.entries().empty())
        menu_->addEntry(new CMenuItem("No presets installed", -1, CMenuItem::kDisabled));
    menu_->addSeparator();
    menu_->addEntry(new CMenuItem("Save Preset...", kSaveEntry));
    const auto& place = taluma::layout::menubar::presetName;
    menu_->popup(frame, CPoint(place.left, place.bottom()));
}

void PresetBrowser::menuChosen(CControl* control, CFrame* frame, int32_t skin) {
    COptionMenu* chosen = nullptr;
    const CMenuItem* entry = chosenEntry(control, chosen);
    if (!entry)
        return;
    if (entry->getTag() == kSaveEntry)
        return askName(frame, skin);
    const auto& entries = presets_.entries();
    if (entry->getTag() >= 0 && size_t(entry->getTag()) < entries.size()) {
        const PresetEntry& e = entries[size_t(entry->getTag())];
        request(cmd::file::kImportPreset, e.path);
        choose(e.name, e.path);
    }
}

void PresetBrowser::step(int32_t by) {
    if (!controller_)
        return;
    presets_.scan(taluma::factoryBankFolder(), taluma::userPresetFolder());
    if (const PresetEntry* e = presets_.step(controller_->presetSelection().path, by)) {
        const PresetEntry chosen = *e;
        request(cmd::file::kImportPreset, chosen.path);
        choose(chosen.name, chosen.path);
    }
}

void PresetBrowser::askName(CFrame* frame, int32_t skin) {
    if (!controller_)
        return;
    NamePrompt::open(frame, "Save Preset", controller_->presetSelection().name,
                     paletteColour(skin, Palette::Paper), paletteColour(skin, Palette::Ink),
                     [this](const std::string& name) { save(name); });
}

void PresetBrowser::save(const std::string& typed) {
    const std::string name = fileNameOf(typed);
    const std::string folder = taluma::userPresetFolder(true);
    if (name.empty() || folder.empty())
        return;
    const std::string path = folder + "/" + name + ".tlmprst";
    request(cmd::file::kExportPreset, path);
    choose(name, path);
}

void PresetBrowser::choose(const std::string& name, const std::string& path) {
    if (!controller_)
        return;
    controller_->presetSelection() = PresetSelection{name, path, false};
    folder_ = path.substr(0, path.find_last_of("/\\"));
    show();
}

void PresetBrowser::show() {
    if (!controller_ || !label_)
        return;
    const PresetSelection& s = controller_->presetSelection();
    label_->setText(s.name + (s.changed ? kChangedMark : ""));
    label_->invalid();
}

void PresetBrowser::noteChange(int32_t tag) {
    bool changes = false;
    switch (cmd::groupOf(tag)) {
    case cmd::kGlobal: changes = tag != cmd::global::kPage; break;
    case cmd::kWaveSwitches:
        changes = tag == cmd::history::kUndo || tag == cmd::history::kRedo;
        break;
    case cmd::kTableA:
    case cmd::kTableB: changes = !cmd::isHoverReport(tag); break;
    case cmd::kOpValues: changes = true; break;
    case cmd::kGenerator:
        changes = tag == cmd::generator::kApplyA || tag == cmd::generator::kApplyB;
        break;
    case cmd::kSettings: changes = tag == cmd::setting::kBendRange; break;
    default: break;
    }
    if (!changes || !controller_ || controller_->presetSelection().changed)
        return;
    controller_->presetSelection().changed = true;
    show();
}

void PresetBrowser::request(int32_t code, const std::string& path) {
    if (controller_)
        taluma::sendFileRequest(*controller_, code, path);
}

}  // namespace Steinberg::Vst
