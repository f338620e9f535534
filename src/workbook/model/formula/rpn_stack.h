#pragma once
// The work stacks of evaluation and of text building. An evaluation item is either an operand
// token of the formula (a reference, a number) or an intermediate result.
#include <cstddef>
#include <string>
#include <vector>

#include "workbook/model/formula/rpn_types.h"

namespace workbook {

class TRPNFormulaToken;

struct TRPNStackItem {
  const TRPNFormulaToken* Token = nullptr;  // null: an intermediate Value
  TRPNValue Value;
};

class TRPNStack {
 public:
  std::size_t Count() const { return items_.size(); }
  void Push(const TRPNFormulaToken* token) { items_.push_back({token, {}}); }
  void PushValue(TRPNValue value) { items_.push_back({nullptr, value}); }
  // The item depth places below the top (0: the top).
  const TRPNStackItem& Peek(std::size_t depth) const { return items_[items_.size() - 1 - depth]; }
  // Removes the top N items (all when fewer).
  void Pop(std::size_t count) { items_.resize(count > items_.size() ? 0 : items_.size() - count); }

 private:
  std::vector<TRPNStackItem> items_;
};

using TRPNTextStack = std::vector<std::u16string>;

}  // namespace workbook
