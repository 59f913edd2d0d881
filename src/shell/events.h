// The event pump: one call handles the pending events, applies the held
// view keys and draws one frame.
#pragma once

void DOEVENTS();
