/*
 * Every text the user sees, in one place, as code page 932 (Shift-JIS)
 * bytes: the program shows them through the ANSI text functions, which take
 * the system's code page as it stands. The bytes are written as escapes so
 * that no compiler's source or execution character set can change them; the
 * comment beside each gives the text it encodes. Where an escape is followed
 * by a letter or digit the literal is split ("\x90" "F"), so that the letter
 * is not read as part of the escape.
 */
#pragma once

// Window class and title (ASCII).
const char kTextWindowClass[] = "Vellipa class";
const char kTextWindowTitle[] = "Vellipa phase 14";

// The panel's buttons and check boxes, and the wait box's first text.
const char kTextSourceRegionButton[] = "\x93]\x91\x97\x8C\xB3\x97\xCC\x88\xE6...";  // 転送元領域...
const char kTextDestPositionButton[] = "\x93]\x91\x97\x90\xE6\x88\xCA\x92u...";     // 転送先位置...
const char kTextRgbRegionButton[] = "RGB\x97\xCC\x88\xE6...";                        // RGB領域...
const char kTextStartButton[] = "\x82\xCD\x82\xB6\x82\xDF";                          // はじめ
const char kTextTransparentTopLeft[] = "\x8D\xB6\x8F\xE3\x90" "F\x82\xF0\x93\xA7\x89\xDF";  // 左上色を透過
const char kTextPainterAdjust[] = "\x82\xB5\x82\xA1\x83y\x83" "C\x83\x93\x83^\x81[";        // しぃペインター
const char kTextSyncColourSwitch[] = "\x90" "F\x90\xD8\x91\xD6\x8E\x9E\x82\xC9\x93\xAF\x8A\xFA";  // 色切替時に同期
const char kTextSyncMouseMove[] = "\x83}\x83" "E\x83X\x88\xDA\x93\xAE\x8E\x9E\x82\xC9\x93\xAF\x8A\xFA";  // マウス移動時に同期
const char kTextSyncEveryPixel[] = "\x91S\x83s\x83N\x83Z\x83\x8B\x82\xC5\x93\xAF\x8A\xFA";  // 全ピクセルで同期
const char kTextWaitInitial[] = "0";

// The panel's status lines. The palette marks are one double-byte
// character each and are drawn with a length of 2 bytes.
const char kTextSourceLineFormat[] = "(%4d,%4d)-(%4d,%4d) %4dx%4d";
const char kTextDestLineFormat[] = "(%4d,%4d)";
const char kTextPaletteFound[] = "\x81\x9B";     // ○
const char kTextPaletteNotFound[] = "\x81~";     // ×
const char kTextWaitLabel[] = "\x93\xAF\x8A\xFA\x8E\x9E\x82\xCC\x83" "E\x83" "F\x83" "C\x83g[ms]";  // 同期時のウェイト[ms]

// The overlay's coordinate labels: crosshair, then rubber band.
const char kTextPointLabelFormat[] = " (%d,%d) ";
const char kTextRectLabelFormat[] = " (%d,%d)-(%d,%d) %dx%d ";

// The completion report.
const char kTextElapsedFormat[] = "\x8F\x88\x97\x9D\x8E\x9E\x8A\xD4 : %d\x95\xAA%d\x95" "b";  // 処理時間 : %d分%d秒
const char kTextCompletionTitle[] = "\x82\xA8\x82\xED\x82\xE8 - Vellipa";  // おわり - Vellipa
