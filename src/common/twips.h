#pragma once

namespace common {

// Window design sizes are in twips (1/1440 inch): pixels = twips x dpi / 1440, truncated.
// A device that reports no DPI counts as 96.
inline int twipsToPixels(int twips, int dpi) {
    return twips * (dpi > 0 ? dpi : 96) / 1440;
}

} // namespace common
