// The decimal mark of the user's locale, for numbers the user typed or the settings file holds.
#pragma once

namespace spindle {

char UserDecimalMark();

}  // namespace spindle
