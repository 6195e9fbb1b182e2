#pragma once

namespace quelvaris {

// How screen readers see what Qt's accessibility would present wrongly: the
// help and about windows, plain top-level widgets, as windows named by their
// titles rather than fillers; and an empty result field as nothing rather
// than as the caption of its frame. Install once, before the first window.
void installAccessibility();

}  // namespace quelvaris
