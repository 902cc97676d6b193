// The taskbar's own translucency feature. The taskbar is looked up at each
// call and never kept; the check mark of the tray menu's taskbar entry is
// the program's only record of its state, and callers keep it.
#pragma once

#include <cstdint>

namespace veloria {

// 255 makes the taskbar opaque (not layered); any other level is applied.
void transparenttaskbar(std::int16_t transparentar) noexcept;

}  // namespace veloria
