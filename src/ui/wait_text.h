/*
 * How the Start command reads the sync wait typed into the wait box. The
 * box takes any text and nothing is ever refused: the text is read as a
 * decimal number the way the C library's atoi would on a 32-bit machine
 * that wraps, and whatever does not fit that reading gives 0.
 */
#pragma once

// Skips leading white space (space, tab, line feed, vertical tab, form feed,
// carriage return), takes one optional '+' or '-', then decimal digits up to
// the first other byte, accumulating value * 10 + digit modulo 2^32; a '-'
// negates. Returns the 32-bit two's-complement value of the result; text
// without such digits gives 0, and whatever follows the digits is ignored.
// text MUST be a terminated string.
int ReadWaitText(const char* text);
