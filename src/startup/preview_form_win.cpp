// The preview form. Until it exists, a preview request loads no form, so the process ends.
#include "startup/preview_form_win.h"

namespace spindle {

void StartPreview(std::int32_t) {}

}  // namespace spindle
