#include "lyrics/lrc_tag.h"

LrcTagKind ParseLrcTag(char*, LeadBytePredicate, int32_t&, int32_t&, int32_t&) {
  return kLrcNoTag;
}
