/*
 * The trace driver: paints the ColourGroupList into the target painter,
 * one run per idle pass of the message loop.
 */
#pragma once

// Called by the message loop whenever it finds the queue empty. Returns at
// once unless TraceMode is Tracing.
void RunTraceStep();
