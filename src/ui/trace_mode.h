/*
 * TraceMode: what the control window is doing, one program-wide value.
 * Idle and Tracing show the panel; the three pick modes show the overlay;
 * only Tracing makes the idle step paint. The panel owns it; the trace
 * ends a trace by setting it back to Idle.
 */
#pragma once

enum class Mode {
    Idle = 0,
    PickSource = 1,
    PickDestination = 2,
    PickPalette = 3,
    Tracing = 4,
};

extern Mode TraceMode;
