#pragma once
// Calls F with the type tag of the concrete token class that a TRPNTokenKind names, so that a
// format's token routines reach the class's own member, as cell_class_visit.h does for cells.
#include <type_traits>

#include "workbook/model/formula/rpn_tokens.h"

namespace workbook {

template <class F>
decltype(auto) VisitTokenKind(TRPNTokenKind kind, F&& f) {
  using K = TRPNTokenKind;
  switch (kind) {
    case K::Cell:
      return f(std::type_identity<TRPNFormulaTokenCell>{});
    case K::CellRange:
      return f(std::type_identity<TRPNFormulaTokenCellRange>{});
    case K::NamedCellRange:
      return f(std::type_identity<TRPNFormulaTokenNamedCellRange>{});
    case K::Number:
      return f(std::type_identity<TRPNFormulaTokenNumber>{});
    case K::Operator:
      return f(std::type_identity<TRPNFormulaTokenOperator>{});
    case K::Function:
      return f(std::type_identity<TRPNFormulaTokenFunction>{});
    case K::VarFunction:
      return f(std::type_identity<TRPNFormulaTokenVarFunction>{});
    case K::Attribute:
      return f(std::type_identity<TRPNFormulaTokenAttribute>{});
    case K::LeftParenthesis:
      return f(std::type_identity<TRPNFormulaTokenLeftParenthesis>{});
    case K::RightParenthesis:
      break;
  }
  return f(std::type_identity<TRPNFormulaTokenRightParenthesis>{});
}

}  // namespace workbook
