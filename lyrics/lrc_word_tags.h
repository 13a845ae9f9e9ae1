// Word tags of LRC lines: "<mm:ss.xx>" before a word of a time-tagged line
// gives the time at which that word is sung. The plug-ins' loader and the
// editor's reader both cut the tags out of the line's text and turn their
// times into timed pieces of the line with these two steps.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lyrics/lead_byte.h"

// A timed piece of one line: from `startByte` to the next piece's start
// (or the end of the line). `ended` tells whether a later tag gave the end
// time; without it the piece ends one centisecond after it starts.
struct LrcWordPiece {
  size_t startByte;
  int32_t startTime;
  int32_t endTime;
  bool ended;
};

// Timed tags are at least "<m:s>": a line of n bytes holds at most n / 5.
inline size_t MostLrcWordTags(size_t length) { return length / 5 + 1; }

// Cuts every word tag out of line[0, length) in place, joining the text on
// both sides, and sets `length` to what is left. A word tag is a "<", then
// text without "<" or ">" that holds a ":", then ">" (double-byte
// characters stepped over whole). Cutting goes on until no such tag is
// left, so a "<" that stood before a tag cut out can start a tag with the
// text after it. Each tag that holds a time in a form the line tags accept
// goes to `words` (room for MostLrcWordTags(length)) as its place in the
// cut line and its time; malformed tags are only cut, with the times of any
// tags inside them. `count` receives the number of timed tags. False when
// no memory can be had.
bool CutLrcWordTags(char* line, size_t& length, LeadBytePredicate isLead, LrcWordPiece* words,
                    size_t& count);

// Turns the `count` timed tags found in the cut line[0, length) into the
// line's pieces, in place, and returns how many there are (0: the line
// has no word timing and stays one piece):
// - a tag whose time is not after the time of the tag taken before it is
//   ignored, so its word joins the piece before it;
// - a tag directly followed by another tag, or the last tag when only
//   blanks follow it, starts no piece: its time ends the piece before it
//   (a closing tag), and a gap until the next piece's start is left;
// - every other tag starts a piece; the piece ends at the next tag's time;
// - the text before the first piece belongs to it (it starts at byte 0).
size_t MakeLrcWordPieces(const char* line, size_t length, LrcWordPiece* words, size_t count);
