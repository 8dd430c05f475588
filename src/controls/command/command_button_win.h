// The gradient push button as a real child window: a form places it, focuses, disables and
// resizes it, and receives its Click.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/command/command_font.h"
#include "controls/command/property_bag.h"

namespace spindle {

class CommandButtonWindow;

class CommandButton {
public:
    CommandButton();
    ~CommandButton();  // destroys the window
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;

    // Creates the child window (position and size in pixels of the parent's client area) and
    // reads its stored properties: from `stored` when given ("Caption", "Font", ...), otherwise
    // every property takes its default (enabled, caption "Command1", the parent's font).
    // Returns false when the window could not be made.
    bool Create(HWND parent, int x, int y, int width, int height, int controlId,
                const PropertyBag* stored = nullptr);
    HWND Window() const;

    // Starts following the pointer (the hover look); the form calls it once after loading.
    void Initialize();

    void SetCaption(const std::string& utf8);
    std::string Caption() const;

    void SetFont(const std::string& faceUtf8, double pointSize, bool bold, std::uint8_t charset);
    void SetFont(const CaptionFont& font);
    CaptionFont Font() const;

    // The caption colour: 0x00BBGGRR, or 0x80000000 plus a system colour index (drawn as the
    // system shows that colour at the time).
    void SetFontColour(COLORREF colour);
    COLORREF FontColour();

    void SetEnabled(bool enabled);
    bool Enabled();

    // The face's opacity: 0 transparent (only the caption shows), anything else opaque.
    // Reads back 0 or 255.
    void SetVisible(std::uint8_t visible);
    std::uint8_t Visible();

    // The host's property store: reading replaces the current values, writing stores them.
    void ReadProperties(const PropertyBag& stored);
    void WriteProperties(PropertyBag& store);

    // Raised on the form's thread when the button is clicked; the handler may destroy the button.
    std::function<void()> onClick;

    // The look state (0 not yet set, 1 Normal, 2 HighLight, 3 Selected, 4 HighLightSelect).
    std::uint8_t LookState() const;

private:
    std::unique_ptr<CommandButtonWindow> window_;
};

}  // namespace spindle
