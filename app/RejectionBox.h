#pragma once

class QWidget;

namespace app {

// The one error message: a box over the window, titled and worded as below,
// with the one button 确定, centred and without an icon. It is window-modal and
// returns at once (no event loop of its own, which a browser cannot run): the
// window takes no input until the box is closed, and the box deletes itself.
inline constexpr const char* kRejectionTitle = "错误信息";
inline constexpr const char* kRejectionText = "输入数据不合理";

void openRejectionBox(QWidget* window);

}  // namespace app
