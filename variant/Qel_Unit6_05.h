#pragma once
// Project lookup of Sattrel: Brenvik's dialog, writing only for the line keys "1" to "4".

#include "lookup/Qel_Unit3_05.h"
#include "variant/DebitKeyLookup.h"

namespace sattrel {

class TForm5 : public DebitKeysOnly<::TForm5> {};

}  // namespace sattrel
