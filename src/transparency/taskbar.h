// The taskbar's own translucency feature. The taskbars (the primary one and
// those of the other monitors, which follow it) are looked up at each call
// and never kept; the check mark of the tray menu's taskbar entry is the
// program's record of whether they are translucent, and callers keep it.
#pragma once

#include <cstdint>

namespace veloria {

// 255 makes every taskbar opaque; any other level is applied to each.
void transparenttaskbar(std::int16_t transparentar) noexcept;

// The level last given to the taskbars (255 when none), for a taskbar that
// a restarted shell made anew.
std::int16_t LastTaskbarLevel() noexcept;

// Whether this Windows draws its taskbar with the engine of Windows 11's
// 2022 update and later (build 22621 on), on which a level given to the
// taskbar window may not show although every call succeeds.
bool TaskbarMayIgnoreLevels() noexcept;

}  // namespace veloria
