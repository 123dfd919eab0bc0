#include "variant/Qel_Unit6_01.h"

sattrel::TForm1::TForm1() : ::TForm1(QStringLiteral(":/forms/Qel_Unit6_01.json")) {}
