// The one place where the editor's controls are made, so that position, bitmap,
// resolution, font and colours are set the same way on every layer. Each function
// adds the new control to `container` (when not null) and returns it; rectangles are
// the layout table's, relative to the container.
#pragma once

#include "editor/custom_controls.h"
#include "editor/layout.h"

#include <string>
#include <vector>

namespace Steinberg {
namespace Vst {

using ControlRect = taluma::layout::Rect;
using Entries = std::vector<const char*>;

VSTGUI::CRect toCRect(const ControlRect& r);
// A bitmap of the module's resources by name. Each is decoded once and shared while
// any view shows it (user-interface thread only).
VSTGUI::SharedPointer<VSTGUI::CBitmap> loadBitmap(const std::string& name);
// Lets go of the bitmaps no view shows any more (a window closed).
void releaseUnusedBitmaps();

VSTGUI::CView* makeImageView(VSTGUI::CViewContainer* container, const ControlRect& r,
                             const std::string& bitmap);
VSTGUI::CViewContainer* makeLayerContainer(VSTGUI::CViewContainer* parent, const ControlRect& r,
                                           const std::string& bitmap);
// A menu that is popped up, not shown: entry i gets the item tag tag + 1 + i.
VSTGUI::COptionMenu* makePopupMenu(VSTGUI::IControlListener* listener, int32_t tag,
                                   const Entries& entries, int32_t style);
CMovieBitmapSwtBtn* makeSwitchButton(VSTGUI::IControlListener* listener,
                                     VSTGUI::CViewContainer* container, int32_t tag,
                                     const ControlRect& r, const std::string& bitmap);
VSTGUI::CKickButton* makeKickButton(VSTGUI::IControlListener* listener,
                                    VSTGUI::CViewContainer* container, int32_t tag,
                                    const ControlRect& r, const std::string& bitmap);
// The wheel moves the knob by one of its `steps`.
VSTGUI::CAnimKnob* makeKnob(VSTGUI::IControlListener* listener, VSTGUI::CViewContainer* container,
                            int32_t tag, const ControlRect& r, const std::string& bitmap,
                            int32_t steps);
// Eight positions.
VSTGUI::CVerticalSwitch* makeVerticalSwitch(VSTGUI::IControlListener* listener,
                                            VSTGUI::CViewContainer* container, int32_t tag,
                                            const ControlRect& r, const std::string& bitmap);
VSTGUI::CHorizontalSwitch* makeHorizontalSwitch(VSTGUI::IControlListener* listener,
                                                VSTGUI::CViewContainer* container, int32_t tag,
                                                const ControlRect& r, int32_t positions,
                                                const std::string& bitmap);
VSTGUI::COptionMenu* makeOptionMenu(VSTGUI::IControlListener* listener,
                                    VSTGUI::CViewContainer* container, int32_t tag,
                                    const ControlRect& r, const VSTGUI::CColor& back,
                                    const VSTGUI::CColor& font, const Entries& entries);
VSTGUI::CTextLabel* makeLabel(VSTGUI::CViewContainer* container, const ControlRect& r,
                              const VSTGUI::CColor& back, const VSTGUI::CColor& font,
                              VSTGUI::CFontRef typeface, VSTGUI::CHoriTxtAlign align,
                              const char* text);
// A left-aligned text field that reports a click (CClickLabel).
VSTGUI::CTextLabel* makeClickLabel(VSTGUI::IControlListener* listener,
                                   VSTGUI::CViewContainer* container, int32_t tag,
                                   const ControlRect& r, const VSTGUI::CColor& back,
                                   const VSTGUI::CColor& font);
VSTGUI::CTextEdit* makeTextEdit(VSTGUI::IControlListener* listener,
                                VSTGUI::CViewContainer* container, int32_t tag,
                                const ControlRect& r, const VSTGUI::CColor& back,
                                const VSTGUI::CColor& font, const char* text);

// Skin changes: a new background bitmap, new text colours.
void setViewBitmap(VSTGUI::CView* view, const std::string& bitmap);
void setTextColours(VSTGUI::CParamDisplay* view, const VSTGUI::CColor& back,
                    const VSTGUI::CColor& font);

// The style every option menu of a layer gets: the current entry carries a check mark.
constexpr int32_t kMenuStyle = VSTGUI::kCheckStyle;

}  // namespace Vst
}  // namespace Steinberg
