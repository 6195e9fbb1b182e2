#pragma once

namespace quelvaris {

// How screen readers see what Qt's accessibility would present wrongly or not
// at all: the input boxes through a text interface that neither hangs nor
// clips their value; each result field named by what it means ("Cemento: 21
// sacos"), rather than by its bare number or, when empty, by its frame; and
// the captions such a control says already left out of its frame.
// Install once, before the first window.
void installAccessibility();

}  // namespace quelvaris
