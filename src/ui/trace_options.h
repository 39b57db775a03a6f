/*
 * TraceOptions: the panel's check boxes and wait box as the Start command
 * read them, kept until the next Start. Each flag is 0 or 1; painterAdjust
 * is also used as a number, a column offset of 0 or 1. Written only by the
 * Start command (and by a front end that plans without a panel).
 */
#pragma once

struct TraceOptionsRecord {
    int syncOnColourSwitch;   // "色切替時に同期": sync on every group's last run
    int syncOnMouseMove;      // "マウス移動時に同期": wait until each cursor move is reported
    int painterAdjust;        // "しぃペインター": the painter leaves the release pixel unpainted
    int syncEveryPixel;       // "全ピクセルで同期": sync on every stroke
    int syncWaitMs;           // "同期時のウェイト[ms]": sleep between two polls, as typed
    int transparentTopLeft;   // "左上色を透過": leave the top-left pixel's colour unpainted
};

extern TraceOptionsRecord TraceOptions;
