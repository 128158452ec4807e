#pragma once

// Reading the entries of the update's file lists. An entry line holds white-
// space separated words, read into fixed fields the way a "%s %s ..." scan
// reads them, but no field ever grows past its capacity.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

struct CEntryField {
    std::string text;
    std::size_t capacity = 0; // in bytes of the list as stored
};

// Reads the words of `line` into `fields`, one word per field in order;
// words beyond the last field are ignored and a field without a word keeps
// its text from the previous entry. A word longer than its field's capacity
// is cut to the capacity and makes the result false.
bool ReadEntryFields(std::string_view line, std::span<CEntryField> fields);

// A field's stored bytes as program text: unchanged when the whole list file
// is valid UTF-8, else converted from code page 936.
std::string DecodeListField(std::string_view bytes, bool fileIsUtf8);

// True when the address's last four characters are exactly ".zip".
bool IsZipAddress(std::string_view url);
