#pragma once

namespace web {

// The face the browser build sets the toolkit's own texts in (the error box's
// words and its button): the face the window's panels are set in, which the
// page carries with every character the window shows. The build proves it has
// a glyph for each of the error box's characters (faces.sh).
inline constexpr const char* kToolkitFamily = "WenQuanYi Zen Hei";

}  // namespace web
