#pragma once
// Readable stage maps: the text form of a stage written under data/ (".stage") and its compiler
// into the game's binary map (the bytes of a ".cnn" file before scrambling).
//
// The text form, UTF-8:
//   # a remark (only before "grid"); blank lines are ignored there
//   size <width> <height>        cells, required
//   chip <width> <height>        pixels, default 32 32
//   bits <bitsPerCell>           default 8
//   reserved <r0> <r1> <r2>      the header's three reserved fields, default 0 0 0
//   legend <char> <chip> <code>  the cell character <char> stands for layer-0 chip <chip> and
//                                layer-1 code <code> (adds to or replaces the default legend)
//   grid
//   <exactly <height> lines of exactly <width> characters, read as they stand>
//
// Header values are compiled as the file gives them, also those the game refuses (a map smaller
// than the view, chips of size 0), so that such maps can be built on purpose. Each layer holds
// width × height × (bitsPerCell / 8) bytes: the grid's cells row by row, then zeros.
//
// The default legend (cell characters are printable ASCII other than the blank):
//   .  chip 0   code 0    empty                  |  chip 3   code 2    gate (chip 2 once closed)
//   #  chip 1   code 1    ground, grass on top   S  chip 0   code 3    switch
//   %  chip 4   code 1    earth                  G  chip 0   code 4    goal
//   B  chip 5   code 1    stone brick            h  chip 0   code 16   HP item
//   =  chip 6   code 1    wooden ledge           m  chip 0   code 19   MP item
//   T  chip 10  code 1    stone, moss on top     d  chip 0   code 22   decoration
//   "  chip 7   code 0    grass tufts            ^  chip 0   code 23   trap
//   *  chip 8   code 0    flowers                @  chip 0   code 32   the hero's start
//   :  chip 9   code 0    dark brick backdrop    k  chip 0   code 33   Kedama
//   ,  chip 11  code 0    pebbles                x  chip 0   code 34   spare enemy slot
//                                                p  chip 0   code 35   Hopper
//                                                b  chip 0   code 36   Bomber
#include <string>

namespace stagesource {

// Compiles the text form into the map's bytes. On a fault, false with *error naming the line
// and what is wrong ("line 4: ..."), and *mapBytes left unchanged.
bool Compile(const std::string& text, std::string* mapBytes, std::string* error);

}  // namespace stagesource
