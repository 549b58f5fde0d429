// The preset browser of the menu bar: the current preset's name (marked once the sound
// is edited), previous and next, and a menu of the factory bank by category and of the
// musician's own presets, which ends with "Save Preset...". A preset loads as the
// Settings page's import does (the sound only); a saved one goes to the user's preset
// folder beside the bank.
#include "editor/main_vst_gui_editor.h"

#include "editor/editor_tags.h"
#include "vst3/factory_bank_folder.h"
#include "editor/layer_mbar.h"
#include "editor/layout.h"
#include "vst3/main_vst_controller.h"
#include "editor/name_prompt.h"
#include "editor/skin_palette.h"

namespace Steinberg {
namespace Vst {

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

void MainVSTGUIEditor::openPresetMenu() {
    if (!frame || !owner_)
        return;
    presets_.scan(taluma::factoryBankFolder(), taluma::userPresetFolder());
    const std::string& current = owner_->presetSelection().path;
    presetMenu_ = makeOwned<COptionMenu>(CRect(), this, cmd::editorTag(cmd::control::kPresetMenu));
    for (const std::string& category : presets_.categories()) {
        auto* sub = new COptionMenu();
        const auto& entries = presets_.entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].category != category)
                continue;
            CMenuItem* item = sub->addEntry(new CMenuItem(entries[i].name, int32_t(i)));
            item->setChecked(entries[i].path == current);
        }
        presetMenu_->addEntry(new CMenuItem(category, sub));
        sub->forget();
    }
    if (presets_.entries().empty())
        presetMenu_->addEntry(new CMenuItem("No presets installed", -1, CMenuItem::kDisabled));
    presetMenu_->addSeparator();
    presetMenu_->addEntry(new CMenuItem("Save Preset...", kSaveEntry));
    const auto& place = taluma::layout::menubar::presetName;
    presetMenu_->popup(frame, CPoint(place.left, place.bottom()));
}

void MainVSTGUIEditor::presetMenuChosen(CControl* control) {
    auto* menu = dynamic_cast<COptionMenu*>(control);
    int32_t index = -1;
    COptionMenu* chosen = menu ? menu->getLastItemMenu(index) : nullptr;
    const CMenuItem* entry = chosen ? chosen->getEntry(index) : nullptr;
    if (!entry)
        return;
    if (entry->getTag() == kSaveEntry)
        return askPresetName();
    const auto& entries = presets_.entries();
    if (entry->getTag() >= 0 && size_t(entry->getTag()) < entries.size()) {
        const PresetEntry& e = entries[size_t(entry->getTag())];
        sendFileRequest(cmd::file::kImportPreset, e.path);
        choosePreset(e.name, e.path);
    }
}

void MainVSTGUIEditor::stepPreset(int32 by) {
    if (!owner_)
        return;
    presets_.scan(taluma::factoryBankFolder(), taluma::userPresetFolder());
    if (const PresetEntry* e = presets_.step(owner_->presetSelection().path, by)) {
        const PresetEntry chosen = *e;
        sendFileRequest(cmd::file::kImportPreset, chosen.path);
        choosePreset(chosen.name, chosen.path);
    }
}

void MainVSTGUIEditor::askPresetName() {
    if (!owner_)
        return;
    NamePrompt::open(frame, "Save Preset", owner_->presetSelection().name,
                     paletteColour(skin_, Palette::Paper), paletteColour(skin_, Palette::Ink),
                     [this](const std::string& name) { savePreset(name); });
}

void MainVSTGUIEditor::savePreset(const std::string& typed) {
    const std::string name = fileNameOf(typed);
    const std::string folder = taluma::userPresetFolder(true);
    if (name.empty() || folder.empty())
        return;
    const std::string path = folder + "/" + name + ".tlmprst";
    sendFileRequest(cmd::file::kExportPreset, path);
    choosePreset(name, path);
}

void MainVSTGUIEditor::choosePreset(const std::string& name, const std::string& path) {
    if (!owner_)
        return;
    owner_->presetSelection() = PresetSelection{name, path, false};
    presetFolder_ = path.substr(0, path.find_last_of("/\\"));
    showPreset();
}

void MainVSTGUIEditor::showPreset() {
    if (!owner_ || !menuBar_)
        return;
    const PresetSelection& s = owner_->presetSelection();
    menuBar_->presetName->setText(s.name + (s.changed ? kChangedMark : ""));
    menuBar_->presetName->invalid();
}

void MainVSTGUIEditor::notePresetChange(int32 tag) {
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
    if (!changes || !owner_ || owner_->presetSelection().changed)
        return;
    owner_->presetSelection().changed = true;
    showPreset();
}

}  // namespace Vst
}  // namespace Steinberg
