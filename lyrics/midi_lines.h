// Turns the texts of MIDI text and lyric events into syllables and lines.
//
// An event's text starts a new line when its first byte is LF, NUL, CR,
// backslash or slash, and ends its line when its last character is a
// backslash or slash or it ends in CR, LF or NUL bytes; those bytes are not
// shown, and line breaks inside the text are removed. Empty lines are not
// kept.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lyrics/lead_byte.h"
#include "lyrics/timed_lyrics.h"

class MidiLineWriter {
 public:
  // `text` must hold the data of all events to be added and one byte more;
  // `syncpoints` one entry per event.
  MidiLineWriter(char* text, Syncpoint* syncpoints, LeadBytePredicate isLead)
      : text_(text), syncpoints_(syncpoints), isLead_(isLead) {}

  // Adds the syllable of one event, sung from `time`. The text is laid out
  // in the buffer line after line, each line ended by a NUL that is counted
  // in the endByte of its last syllable.
  void AddEvent(const unsigned char* data, size_t length, int32_t time);
  // Closes the last line.
  void Finish() { CloseLine(); }

  size_t syncpointCount() const { return syncpointCount_; }
  size_t lineCount() const { return lineCount_; }

 private:
  void AddSyllable(const char* body, size_t length, int32_t time);
  void CloseLine();

  char* text_;
  Syncpoint* syncpoints_;
  LeadBytePredicate isLead_;
  size_t write_ = 0;  // where the next kept byte goes
  size_t syncpointCount_ = 0;
  size_t lineCount_ = 0;  // closed lines; the index of the open one
  size_t column_ = 0;     // bytes of the open line so far
  bool lineOpen_ = false;
  bool lineFull_ = false;  // the open line was cut; its later syllables are dropped
};
