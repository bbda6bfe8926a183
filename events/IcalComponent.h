// A libical component owned as C++ owns things: freed with its tree when it goes. For the
// two places that use libical, events/ and ical/.
#pragma once

#include <libical/ical.h>

#include <memory>

namespace quillon {

struct IcalComponentFree {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using IcalComponentPtr = std::unique_ptr<icalcomponent, IcalComponentFree>;

} // namespace quillon
