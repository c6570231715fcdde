// The simulated backend: declarations of the Win32 subset that the system uses, implemented in
// memory (windows, messages, timers, threads, heap, files mapped onto POSIX). Each group of
// operations lives in its own header below; this one gathers them.
#pragma once

#include "platform/sim/sim_types.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_oleaut.h"
#include "platform/sim/sim_thread.h"
#include "platform/sim/sim_window.h"
#include "platform/sim/sim_focus.h"
#include "platform/sim/sim_file.h"
#include "platform/sim/sim_find.h"
#include "platform/sim/sim_module.h"
#include "platform/sim/sim_message_box.h"
#include "platform/sim/sim_com.h"
#include "platform/sim/sim_waitable_timer.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_mouse.h"
#include "platform/sim/sim_gdi.h"
#include "platform/sim/sim_hook.h"
#include "platform/sim/sim_control_messages.h"
#include "platform/sim/sim_resource.h"
#include "platform/sim/sim_dialog.h"
#include "platform/sim/sim_menu.h"
#include "platform/sim/sim_global_memory.h"
#include "platform/sim/sim_monitor.h"
#include "platform/sim/sim_gdi_bitmap.h"
#include "platform/sim/sim_gdi_object.h"
#include "platform/sim/sim_image_list.h"
#include "platform/sim/sim_frame.h"
#include "platform/sim/sim_paint.h"

#define KEYSEQ_BACKEND_NAME "sim"
