// The network's ONNX bytes, linked into the program so that it needs no data file.

#include "digitnet.h"

#ifndef ZARVICK_DIGITNET_PATH
#error "ZARVICK_DIGITNET_PATH must name the ONNX file"
#endif

asm(".pushsection .rodata\n"
    ".balign 16\n"
    "zarvick_digitnet_begin:\n"
    ".incbin \"" ZARVICK_DIGITNET_PATH "\"\n"
    "zarvick_digitnet_end:\n"
    ".popsection\n");

extern "C" const std::uint8_t zarvick_digitnet_begin[];
extern "C" const std::uint8_t zarvick_digitnet_end[];

std::span<const std::uint8_t> picture::builtInDigitNet() {
    return {zarvick_digitnet_begin, zarvick_digitnet_end};
}
