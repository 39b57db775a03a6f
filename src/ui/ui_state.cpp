/*
 * Storage of the control window's program-wide state: the mode, the picked
 * areas and the options read at Start. All zero at start-up.
 */
#include "ui/selection.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"

Mode TraceMode = Mode::Idle;
ScreenRect SourceRect = {0, 0, 0, 0};
ScreenPoint DestPoint = {0, 0};
TraceOptionsRecord TraceOptions = {0, 0, 0, 0, 0, 0};
