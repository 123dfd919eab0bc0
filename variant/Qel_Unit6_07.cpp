#include "variant/Qel_Unit6_07.h"

sattrel::TForm7::TForm7() : ::TForm7(QStringLiteral(":/forms/Qel_Unit6_07.json")) {}
