// Resource identifiers, one range per subsystem.
#pragma once

// The program icon (window icon of the settings dialog, Explorer's icon for the file).
#define IDI_SPINDLEWAVE 1

// The saver's name in the system's screen-saver list (string table).
#define IDS_DESCRIPTION 1

// 100-199: the saver
#define IDR_EARTH_PICTURE 100

// 200-299: the preview
#define IDR_PREVIEW_PICTURE 200

// 300-399: the settings dialog (selection marks, hand cursor)
#define IDB_MARK_UNSELECTED 300
#define IDB_MARK_SELECTED 301
#define IDC_LINK_HAND 302

// 400-499: the gradient button's skins
// In the order of SkinPicture: Normal, HighLight, HighLightSelect, Selected, Pressed, Disable.
#define IDB_COMMAND_NORMAL 400
#define IDB_COMMAND_HIGHLIGHT 401
#define IDB_COMMAND_HIGHLIGHT_SELECT 402
#define IDB_COMMAND_SELECTED 403
#define IDB_COMMAND_PRESSED 404
#define IDB_COMMAND_DISABLE 405
