#pragma once
// Employee lookup of Sattrel: Brenvik's dialog, writing only for the line keys "1" to "4".

#include "lookup/Qel_Unit3_03.h"
#include "variant/DebitKeyLookup.h"

namespace sattrel {

class TForm3 : public DebitKeysOnly<::TForm3> {};

}  // namespace sattrel
