#pragma once
// libjpeg reports a fatal error by calling the error manager's exit routine,
// which by default ends the process. The trap sends it back to the setjmp of
// the function that made the failing call instead, and keeps the library's
// warnings and trace messages off the terminal.
//
// Rule for callers: a function that calls setjmp(trap.jump) and then libjpeg
// must not own objects with destructors while libjpeg runs; longjmp would
// skip them. Keep such objects in an outer frame.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace lumora {

struct JpegErrorTrap {
    jpeg_error_mgr manager;  // first: libjpeg hands this address back
    std::jmp_buf jump;
};

// Fills `trap` with libjpeg's standard manager and replaces its exit and
// output routines; returns the pointer to store in the `err` field.
jpeg_error_mgr* SetUpJpegErrorTrap(JpegErrorTrap& trap);

}  // namespace lumora
