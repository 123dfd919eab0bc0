#pragma once
// Debit-row account lookup of Sattrel: its list leaves out the sales accounts.

#include "lookup/Qel_Unit3_01.h"

namespace sattrel {

class TForm1 : public ::TForm1 {
public:
    TForm1();
};

}  // namespace sattrel
