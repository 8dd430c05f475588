// Resource identifiers, one range per subsystem.
#pragma once

// 100-199: the saver (Earth picture)
// 200-299: the preview picture
// 300-399: the settings dialog (marks, icon, cursor)
// 400-499: the gradient button's skins
// 1: the version resource; manifest is RT_MANIFEST 1
