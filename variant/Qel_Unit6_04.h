#pragma once
// Department lookup of Sattrel: Brenvik's dialog, writing only for the line keys "1" to "4".

#include "lookup/Qel_Unit3_04.h"
#include "variant/DebitKeyLookup.h"

namespace sattrel {

class TForm4 : public DebitKeysOnly<::TForm4> {};

}  // namespace sattrel
