#pragma once
// Credit-row account lookup of Sattrel: its list holds at most the five inventory accounts.

#include "lookup/Qel_Unit3_07.h"

namespace sattrel {

class TForm7 : public ::TForm7 {
public:
    TForm7();
};

}  // namespace sattrel
