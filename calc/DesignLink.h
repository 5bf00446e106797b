#pragma once

#include "calc/InputBoxes.h"

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// A design as a link: the seven input texts as typed, in the fragment of the
// page's address (F=100&xF=0.5&q=-0.1&...), keyed by each box's linkKey and
// percent-encoded, so that any text, however strange, comes back unchanged.

// The fragment, without its '#': every key in box order, each value with all
// but the unreserved characters (A-Z a-z 0-9 - . _ ~) as %XX.
std::string designLink(const InputTexts& texts);

// The texts a fragment (with or without its '#') gives the boxes: each key's
// first value, percent-decoded ('%' not followed by two hex digits stays as it
// is); a box whose key is missing gets its initial text; unknown keys and parts
// without '=' are ignored. nullopt when the fragment names none of the keys:
// it is no design.
std::optional<DesignTexts> designFromLink(std::string_view fragment);

}  // namespace calc
