#pragma once

#include <string_view>

#include "controls/propertybag.h"
#include "controls/xpb/core/surface.h"
#include "controls/xpb/core/xpbstate.h"

namespace zoltrek {

// Reads the stored settings into the state, and "Enabled" into the surface; `hostName` is the
// caption that a design leaves out.
void readStoredSettings(XpbState& state, XpbSurface& surface, const PropertyBag& bag,
                        std::string_view hostName);

// Stores the settings, each left out while it holds its default.
void writeStoredSettings(const XpbState& state, bool enabled, PropertyBag& bag,
                         std::string_view hostName);

}  // namespace zoltrek
