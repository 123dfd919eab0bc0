#pragma once
// Customer-and-bank lookup of Sattrel: Brenvik's dialog, writing only for the line keys "1" to "4".

#include "lookup/Qel_Unit3_02.h"
#include "variant/DebitKeyLookup.h"

namespace sattrel {

class TForm2 : public DebitKeysOnly<::TForm2> {};

}  // namespace sattrel
