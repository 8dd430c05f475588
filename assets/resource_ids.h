// Resource identifiers, one range per subsystem.
#pragma once

// The program icon (window icon of the settings dialog, Explorer's icon for the file).
#define IDI_SPINDLEWAVE 1

// 100-199: the saver
#define IDR_EARTH_PICTURE 100

// 200-299: the preview
#define IDR_PREVIEW_PICTURE 200

// 300-399: the settings dialog (selection marks, hand cursor)

// 400-499: the gradient button's skins
