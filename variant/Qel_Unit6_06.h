#pragma once
// Management item lookup of Sattrel: Brenvik's dialog, writing only for the line keys "1" to "4".

#include "lookup/Qel_Unit3_06.h"
#include "variant/DebitKeyLookup.h"

namespace sattrel {

class TForm6 : public DebitKeysOnly<::TForm6> {};

}  // namespace sattrel
