// The preset browser of the menu bar: the current preset's name (marked once the sound
// is edited), previous and next, and a menu of the factory bank by category and of the
// musician's own presets, which ends with "Save Preset...". A preset loads as the
// Settings page's import does (the sound only); a saved one goes to the user's preset
// folder beside the bank. What is chosen is kept by the controller, so that a window
// opened again shows it.
#pragma once

#include "editor/preset_list.h"
#include "vstgui/vstgui.h"

#include <string>

namespace Steinberg::Vst {

class MainVSTController;

class PresetBrowser {
public:
    explicit PresetBrowser(MainVSTController* controller) : controller_(controller) {}

    // The label that shows the preset's name (null while no window is open).
    void showIn(VSTGUI::CTextLabel* label);
    // The preset menu, popped up below the name; its choice comes to `listener` with the
    // tag of control::kPresetMenu.
    void openMenu(VSTGUI::CFrame* frame, VSTGUI::IControlListener* listener);
    void menuChosen(VSTGUI::CControl* menu, VSTGUI::CFrame* frame, int32_t skin);
    void step(int32_t by);
    // A preset loaded or saved: the browser shows its name, unchanged.
    void choose(const std::string& name, const std::string& path);
    // A command that changes the sound marks the preset as changed.
    void noteChange(int32_t tag);
    // Where the last preset came from or went.
    const std::string& folder() const { return folder_; }
    // The name as the controller keeps it (another window may have chosen it).
    void show();

private:
    void askName(VSTGUI::CFrame* frame, int32_t skin);
    void save(const std::string& name);
    void request(int32_t code, const std::string& path);

    MainVSTController* controller_;
    VSTGUI::CTextLabel* label_{nullptr};
    std::string folder_;
    PresetList presets_;
    VSTGUI::SharedPointer<VSTGUI::COptionMenu> menu_;
};

}  // namespace Steinberg::Vst
