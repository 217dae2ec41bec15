#pragma once

#include "model/ProgramSysex.h"

#include <optional>
#include <vector>

/** Single-program files (".p5_p") and program-group files (".p5_b"), and the standard ".syx"
    files other tools and the instrument's owners trade, byte for byte.

    A program file holds one dump: the 159-byte program dump or the 157-byte edit-buffer dump,
    from its F0 to its F7, with anything before and after it. A group file holds 159-byte program
    dumps one after another, with anything between them. A ".syx" file is any run of SysEx
    messages: this instrument's program and edit-buffer dumps in it are read, in file order, and
    every other message is passed over. */
namespace ProgramFile
{
/** How a file's bytes are read: as the librarian's own file, or as a ".syx" file. */
enum class Form
{
    own,
    syx
};

/** Neither reader takes a file shorter than this. */
constexpr size_t minimumSize = 10;

struct Single
{
    ProgramSysex::Message message; // the message read, as it is in the file
    ProgramSysex::Record record;
};

/** The program of a single-program file, or nothing. An own file gives the message from its first
    F0 to the first F7 after it, taken by its length alone: 159 bytes a program dump, 157 an
    edit-buffer dump, exactly 128 a bare record; any other length is refused. A ".syx" file gives
    its first dump of this instrument. */
std::optional<Single> readSingle (const void* data, size_t size, Form form);

/** The programs of a group file, in file order: an own file's 159-byte program dumps (an F0 with
    an F7 158 bytes on), a ".syx" file's dumps of this instrument. Empty when there are none. */
std::vector<ProgramSysex::Record> readGroup (const void* data, size_t size, Form form);

/** Is this message one of this instrument's program dumps or edit-buffer dumps? */
bool isProgramMessage (const uint8_t* message, size_t size) noexcept;

/** A single-program file: the program dump addressed to the program's own group and slot when it
    has one, so that sending the file puts it back there; the edit-buffer dump when it has none,
    so that the file never overwrites a slot it did not come from. Either loads back. */
ProgramSysex::Message writeSingle (const ProgramSysex::Record& record, int group = -1, int index = -1);

/** A program-group file: one program dump per record, addressed to the group's slots in order. */
std::vector<uint8_t> writeGroup (int group, const std::vector<ProgramSysex::Record>& records);
}
