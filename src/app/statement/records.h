#pragma once
// One record per accepted worksheet row, one class per section. Every field is Windows-1250 text
// named after the XML attribute it becomes; amounts and quantities are normalised texts with a
// decimal point (empty when the cell was not acceptable), dates are left as the cell gave them.
#include <string>

namespace app {

struct tDataA1 {
  std::string Odb, F, Den, Z, D, S, Kopr;
};

struct tDataA2 {
  std::string Odb, F, Den, Z, TK, TD, Mn, MJ, Kopr;
};

struct tDataB1 {
  std::string Dod, F, Den, Z, D, S, O, Kopr;
};

struct tDataB2 {
  std::string Dod, F, Den, Z, D, S, O, Kopr;
};

struct tDataB31 {
  std::string Z, D, O, Kopr;
};

struct tDataB32 {
  std::string Dod, Z, D, O, Kopr;
};

struct tDataC1 {
  std::string Odb, FO, FP, ZR, DR, S, TK, TD, Mn, MJ, Kopr, ONP;
};

struct tDataC2 {
  std::string Dod, FO, FP, ZR, DR, S, OR, Kopr, ONP;
};

struct tDataD1 {
  std::string SumaObratov, Z, D, ZZn, DZn, Kopr;
};

// An empty amount is stored as "0".
struct tDataD2 {
  std::string Z, D, ZZn, DZn, Kopr;
};

struct tDataSV1 {
  std::string Odb, Z, Kod;
};

// Vr and Kopr are "1" when the cell held exactly "x", else "0".
struct tDataSV2 {
  std::string Odb, OdbP, Vr, Kopr;
};

}  // namespace app
