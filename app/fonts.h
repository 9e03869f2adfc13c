#pragma once

namespace Fonts {
// Maps the families the windows ask for ("Arial", "Courier", "Baghdad",
// "Verdana") to installed fonts that carry Arabic glyphs.
void registerSubstitutions();
}
