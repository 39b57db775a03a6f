/*
 * The trace driver's idle step.
 */
#include "trace/trace_driver.h"

#include "ui/trace_mode.h"

void RunTraceStep()
{
    if (TraceMode != Mode::Tracing)
        return;
}
