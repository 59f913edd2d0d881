// The event pump, the one place where events are taken and frames drawn.
#pragma once

// Handles every pending event (quit, keys, resizes), applies the held view
// keys once, and draws exactly one frame. On a quit event or Escape the
// process ends inside the call.
void DOEVENTS();
