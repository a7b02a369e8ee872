#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The 60-byte header that opens a headed print file: the slicer's estimates
// and the byte offsets of one or two thumbnail images and of the G-code text.
// Every number is little-endian and unsigned, every field at its natural
// alignment, so the first 60 bytes of a file can be copied over it.
struct GXFileHeader {
    char magic[16];
    uint32_t imgStart0;       // first image slot
    uint32_t imgStart1;       // end of the first slot, start of the second
    uint32_t gcodeStart;      // first G-code byte; end of the second slot
    uint32_t timeUsed;        // estimated print time, seconds
    uint32_t materialUsed[2]; // filament per extruder, millimetres
    uint16_t flags;
    uint16_t layerHeight;     // micrometres
    uint16_t infill;
    uint16_t shellCount;
    uint16_t speed;           // millimetres per second
    uint16_t platformTemp;
    uint16_t extruderTemp[2];
    uint8_t material[2];
    uint8_t padding[2];
};
using Header = GXFileHeader;

static_assert(sizeof(GXFileHeader) == 60, "the print-file header is 60 bytes");
static_assert(offsetof(GXFileHeader, imgStart0) == 16, "header layout");
static_assert(offsetof(GXFileHeader, gcodeStart) == 24, "header layout");
static_assert(offsetof(GXFileHeader, materialUsed) == 32, "header layout");
static_assert(offsetof(GXFileHeader, layerHeight) == 42, "header layout");
static_assert(offsetof(GXFileHeader, speed) == 48, "header layout");
static_assert(offsetof(GXFileHeader, extruderTemp) == 52, "header layout");
static_assert(offsetof(GXFileHeader, material) == 56, "header layout");

namespace PrintFileHeader {

// Reads the first 60 bytes of `path` into `header` (numbers converted from
// little-endian). False for a file shorter than 60 bytes or unreadable.
bool read(const QString &path, GXFileHeader &header);

// The pages treat a file as headed when the text after the last "." of its
// name is exactly "gx"; the print engine applies the header only to files
// whose complete suffix (after the first ".") is "zuvrak".
bool isHeadedForPages(const QString &path);
bool isHeadedForEngine(const QString &path);

} // namespace PrintFileHeader
