// The saver form. Until it exists, loading it shows nothing and the process ends.
#include "saver/saver_form_win.h"

namespace spindle {

void LoadSaverForm() {}

}  // namespace spindle
